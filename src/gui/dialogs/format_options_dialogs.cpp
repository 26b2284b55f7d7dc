#include "dialogs/format_options_dialogs.h"

#include "dialogs/dialog_layout.h"
#include "io/file_formats.h"
#include "io/format_state.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// A group box of radio buttons whose ids are their positions.
QGroupBox* RadioGroup(const QString& title, const QStringList& captions, QButtonGroup*& group,
                      QWidget* owner, bool horizontal) {
    auto* box = new QGroupBox(title);
    QBoxLayout* layout = horizontal ? static_cast<QBoxLayout*>(new QHBoxLayout(box))
                                    : static_cast<QBoxLayout*>(new QVBoxLayout(box));
    group = new QButtonGroup(owner);
    for (int i = 0; i < captions.size(); ++i) {
        auto* radio = new QRadioButton(captions[i]);
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    return box;
}

void Check(QButtonGroup* group, int id) {
    if (QAbstractButton* b = group->button(id))
        b->setChecked(true);
}

QLineEdit* TitleField(QVBoxLayout* layout, const QString& title, const std::string& text) {
    auto* box = new QGroupBox(title);
    auto* inner = new QVBoxLayout(box);
    auto* edit = new QLineEdit(ToQ(text));
    NameAfterCaption(edit, title);
    inner->addWidget(edit);
    layout->addWidget(box);
    return edit;
}

} // namespace

bool ShowFormatOptions(QWidget* parent, CFileFormatOpts& opts, CHost& host) {
    if (!CheckHasOptions(opts, host))
        return false;
    switch (FileFormatListCode(opts.m_nFormat)) {
    case kFormatPlot:
        return CTitlesDialog(opts.m_strMainTitle, opts.m_strXTitle, opts.m_strYTitle, parent)
                   .exec() == QDialog::Accepted;
    case kFormatC:
        return COptionsCDialog(opts.m_OptionsC, parent).exec() == QDialog::Accepted;
    case kFormatTiAsm:
        return CAsmOptsDialog(opts.m_AsmOpts, host, parent).exec() == QDialog::Accepted;
    case kFormatWave:
        return CWavFmtDialog(opts.m_WavFmt, parent).exec() == QDialog::Accepted;
    default: // the fixed-point text formats
        return CFixedPointOptsDialog(opts.m_FixedPoint, parent).exec() == QDialog::Accepted;
    }
}

CFixedPointOptsDialog::CFixedPointOptsDialog(CFixedPointOpts& opts, QWidget* parent)
    : QDialog(parent), m_opts(opts) {
    setWindowTitle("Fixed-Point Options");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_pBits = new QSpinBox;
    m_pBits->setObjectName("bits");
    m_pBits->setRange(1, 64);
    m_pBits->setValue(opts.m_nBits);
    AddCaptionedRow(form, "Number of bits", m_pBits);
    layout->addLayout(form);
    AddOkCancel(this, layout);
}

void CFixedPointOptsDialog::accept() {
    m_opts.m_nBits = m_pBits->value();
    QDialog::accept();
}

CWavFmtDialog::CWavFmtDialog(CWavFmt& opts, QWidget* parent) : QDialog(parent), m_opts(opts) {
    setWindowTitle("Wave File Format");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup("Data Size", {"8", "16"}, m_pSize, this, true));
    layout->addWidget(RadioGroup("WAVE Sample Frequency (kHz)", {"11.025", "22.05", "44.1"},
                                 m_pRate, this, true));
    Check(m_pSize, opts.m_nSampleSize);
    Check(m_pRate, opts.m_nSampleRate);
    AddOkCancel(this, layout);
}

void CWavFmtDialog::accept() {
    if (m_pSize->checkedId() >= 0)
        m_opts.m_nSampleSize = m_pSize->checkedId();
    if (m_pRate->checkedId() >= 0)
        m_opts.m_nSampleRate = m_pRate->checkedId();
    QDialog::accept();
}

COptionsCDialog::COptionsCDialog(COptionsC& opts, QWidget* parent) : QDialog(parent), m_opts(opts) {
    setWindowTitle("C Output Options");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_pName = new QLineEdit(ToQ(opts.m_strName));
    m_pType = new QLineEdit(ToQ(opts.m_strType));
    m_pSuffix = new QLineEdit(ToQ(opts.m_strSuffix));
    AddCaptionedRow(form, "Data Variable Name", m_pName);
    AddCaptionedRow(form, "Data Variable Type", m_pType);
    AddCaptionedRow(form, "Data Value Suffix", m_pSuffix);
    layout->addLayout(form);
    AddOkCancel(this, layout);
}

void COptionsCDialog::accept() {
    m_opts.m_strName = ToStd(m_pName->text());
    m_opts.m_strType = ToStd(m_pType->text());
    m_opts.m_strSuffix = ToStd(m_pSuffix->text());
    QDialog::accept();
}

CAsmOptsDialog::CAsmOptsDialog(CAsmOpts& opts, CHost& host, QWidget* parent)
    : QDialog(parent), m_opts(opts), m_host(host) {
    setWindowTitle("TI Fixed-Point Assembly Code Options");
    auto* layout = new QVBoxLayout(this);

    auto* variable = new QGroupBox("Data Variable");
    auto* variableForm = new QFormLayout(variable);
    m_pBaseName = new QLineEdit(ToQ(opts.m_strBaseName));
    AddCaptionedRow(variableForm, "Name", m_pBaseName);
    m_pShowLength = new QCheckBox("Show Length");
    m_pShowLength->setChecked(opts.m_bShowLength);
    variableForm->addRow(m_pShowLength);
    m_pShowRatio = new QCheckBox("Show Ratio: ");
    m_pShowRatio->setChecked(opts.m_bShowRatio);
    m_pRatio = new QLineEdit(ToQ(opts.m_strRatio));
    m_pRatio->setAccessibleName("Ratio");
    variableForm->addRow(m_pShowRatio, m_pRatio);
    layout->addWidget(variable);

    auto* middle = new QHBoxLayout;
    middle->addWidget(
        RadioGroup("Data Format", {"Decimal Int", "Hex Int", "Float"}, m_pFormat, this, false));
    auto* comments = new QGroupBox("End-of-Line Comments");
    auto* commentLayout = new QVBoxLayout(comments);
    m_pShowOther = new QCheckBox("Show Other Format");
    m_pShowFloat = new QCheckBox("Show Floating Point");
    m_pShowGraph = new QCheckBox("Show Graph");
    m_pShowOther->setChecked(opts.m_bShowOtherFormat);
    m_pShowFloat->setChecked(opts.m_bShowFloat);
    m_pShowGraph->setChecked(opts.m_bShowGraph);
    commentLayout->addWidget(m_pShowOther);
    commentLayout->addWidget(m_pShowFloat);
    commentLayout->addWidget(m_pShowGraph);
    middle->addWidget(comments);
    layout->addLayout(middle);
    Check(m_pFormat, opts.m_nDataFormat);

    auto* texts = new QFormLayout;
    m_pInitial = new QPlainTextEdit(ToQ(opts.m_strInitialText));
    m_pFinal = new QPlainTextEdit(ToQ(opts.m_strFinalText));
    for (QPlainTextEdit* edit : {m_pInitial, m_pFinal}) {
        edit->setTabChangesFocus(true);
        edit->setFixedHeight(edit->fontMetrics().lineSpacing() * 4);
    }
    AddCaptionedRow(texts, "Initial Text", m_pInitial);
    AddCaptionedRow(texts, "Final Text", m_pFinal);
    layout->addLayout(texts);
    AddOkCancel(this, layout);

    connect(m_pFormat, &QButtonGroup::idClicked, this, [this] { UpdateControls(); });
    UpdateControls();
}

CAsmOpts CAsmOptsDialog::Read() const {
    CAsmOpts o = m_opts;
    o.m_strBaseName = ToStd(m_pBaseName->text());
    o.m_bShowLength = m_pShowLength->isChecked();
    o.m_bShowRatio = m_pShowRatio->isChecked();
    o.m_strRatio = ToStd(m_pRatio->text());
    if (m_pFormat->checkedId() >= 0)
        o.m_nDataFormat = m_pFormat->checkedId();
    o.m_bShowOtherFormat = m_pShowOther->isChecked();
    o.m_bShowFloat = m_pShowFloat->isChecked();
    o.m_bShowGraph = m_pShowGraph->isChecked();
    o.m_strInitialText = ToStd(m_pInitial->toPlainText());
    o.m_strFinalText = ToStd(m_pFinal->toPlainText());
    return o;
}

void CAsmOptsDialog::UpdateControls() {
    const bool enabled = Read().CommentFormatsEnabled();
    m_pShowOther->setEnabled(enabled);
    m_pShowFloat->setEnabled(enabled);
}

void CAsmOptsDialog::accept() {
    CAsmOpts o = Read();
    const bool ok = o.ValidateOnOk(m_host);
    m_pBaseName->setText(ToQ(o.m_strBaseName));
    if (!ok)
        return;
    m_opts = o;
    QDialog::accept();
}

CTitlesDialog::CTitlesDialog(std::string& mainTitle, std::string& xTitle, std::string& yTitle,
                             QWidget* parent)
    : QDialog(parent), m_main(mainTitle), m_x(xTitle), m_y(yTitle) {
    setWindowTitle("Titles");
    auto* layout = new QVBoxLayout(this);
    m_pMain = TitleField(layout, "Main Title", mainTitle);
    m_pX = TitleField(layout, "X-Title", xTitle);
    m_pY = TitleField(layout, "Y-Title", yTitle);
    AddOkCancel(this, layout);
    resize(360, sizeHint().height());
}

void CTitlesDialog::accept() {
    m_main = ToStd(m_pMain->text());
    m_x = ToStd(m_pX->text());
    m_y = ToStd(m_pY->text());
    QDialog::accept();
}
