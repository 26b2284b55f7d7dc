#include "dialogs/format_options_dialogs.h"

#include "dialogs/dialog_layout.h"
#include "hdl/hdl_export.h"
#include "hdl/verilog_writer.h"
#include "io/file_formats.h"
#include "io/format_state.h"
#include "support/format_number.h"
#include "support/host.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

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

bool ShowFormatOptions(QWidget* parent, CFileFormatOpts& opts, CHost& host,
                       const std::vector<double>& taps) {
    if (!CheckHasOptions(opts, host))
        return false;
    switch (FileFormatListCode(opts.m_nFormat)) {
    case kFormatVerilog:
        return CFixedPointImplDialog(opts.m_FixedPoint, taps, host, parent).exec() ==
               QDialog::Accepted;
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

namespace {

QSpinBox* BitsField(int lo, int hi, int value) {
    auto* spin = new QSpinBox;
    spin->setRange(lo, hi);
    spin->setValue(value);
    return spin;
}

QComboBox* ChoiceField(const QStringList& captions, int index) {
    auto* combo = new QComboBox;
    combo->addItems(captions);
    combo->setCurrentIndex(index);
    return combo;
}

} // namespace

CFixedPointImplDialog::CFixedPointImplDialog(CFixedPointOpts& opts, const std::vector<double>& taps,
                                             CHost& host, QWidget* parent)
    : QDialog(parent), m_opts(opts), m_taps(taps), m_host(host) {
    setWindowTitle("Fixed-Point Implementation");
    const SFixedPointFormat& f = opts.m_Hdl.format;
    m_pCoefBits = BitsField(SFixedPointFormat::kMinBits, SFixedPointFormat::kMaxBits,
                            std::clamp(opts.m_nBits, 2, 48));
    m_pInputBits = BitsField(SFixedPointFormat::kMinBits, SFixedPointFormat::kMaxBits, f.inputBits);
    m_pFullPrecision = new QCheckBox("Full precision (the accumulator)");
    m_pFullPrecision->setChecked(f.outputBits == 0);
    m_pOutputBits = BitsField(1, 127, f.outputBits == 0 ? 16 : f.outputBits);
    m_pTopBits = new QCheckBox("Keep the top bits");
    m_pTopBits->setChecked(f.outputShift < 0);
    m_pShift = BitsField(0, 126, std::max(f.outputShift, 0));
    m_pRounding = ChoiceField({"Truncate", "Round"}, static_cast<int>(f.rounding));
    m_pOverflow = ChoiceField({"Saturate", "Wrap"}, static_cast<int>(f.overflow));
    m_pStructure = ChoiceField({"Transposed direct form", "Systolic (pipelined direct form)"},
                               static_cast<int>(opts.m_Hdl.structure));
    m_pName = new QLineEdit(ToQ(opts.m_Hdl.name));
    m_pName->setPlaceholderText("from the file name");

    auto* form = new QFormLayout;
    AddCaptionedRow(form, "&Coefficient bits:", m_pCoefBits);
    AddCaptionedRow(form, "&Input bits:", m_pInputBits);
    form->addRow(m_pFullPrecision);
    AddCaptionedRow(form, "&Output bits:", m_pOutputBits);
    form->addRow(m_pTopBits);
    AddCaptionedRow(form, "&Dropped low bits:", m_pShift);
    AddCaptionedRow(form, "&Rounding:", m_pRounding);
    AddCaptionedRow(form, "O&verflow:", m_pOverflow);
    AddCaptionedRow(form, "&Structure:", m_pStructure);
    AddCaptionedRow(form, "&Module name:", m_pName);

    auto* summaryBox = new QGroupBox("Implementation");
    auto* summaryLayout = new QVBoxLayout(summaryBox);
    m_pSummary = new QPlainTextEdit;
    m_pSummary->setReadOnly(true);
    m_pSummary->setObjectName("summary");
    m_pSummary->setAccessibleName("Implementation");
    m_pSummary->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_pSummary->setMinimumWidth(480);
    summaryLayout->addWidget(m_pSummary);

    auto* columns = new QHBoxLayout;
    columns->addLayout(form);
    columns->addWidget(summaryBox, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    AddOkCancel(this, layout);

    for (QSpinBox* spin : {m_pCoefBits, m_pInputBits, m_pOutputBits, m_pShift})
        connect(spin, &QSpinBox::valueChanged, this, [this] { UpdateSummary(); });
    for (QCheckBox* box : {m_pFullPrecision, m_pTopBits})
        connect(box, &QCheckBox::toggled, this, [this] { UpdateSummary(); });
    for (QComboBox* combo : {m_pRounding, m_pOverflow, m_pStructure})
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { UpdateSummary(); });
    UpdateSummary();
}

SHdlOptions CFixedPointImplDialog::Read() const {
    SHdlOptions o;
    o.format.coefBits = m_pCoefBits->value();
    o.format.inputBits = m_pInputBits->value();
    o.format.outputBits = m_pFullPrecision->isChecked() ? 0 : m_pOutputBits->value();
    o.format.outputShift = m_pTopBits->isChecked() ? -1 : m_pShift->value();
    o.format.rounding = m_pRounding->currentIndex() == 1 ? ERounding::Round : ERounding::Truncate;
    o.format.overflow = m_pOverflow->currentIndex() == 1 ? EOverflow::Wrap : EOverflow::Saturate;
    o.structure =
        m_pStructure->currentIndex() == 1 ? EHdlStructure::Systolic : EHdlStructure::Transposed;
    o.name = ToStd(m_pName->text().trimmed());
    return o;
}

void CFixedPointImplDialog::UpdateSummary() {
    m_pOutputBits->setEnabled(!m_pFullPrecision->isChecked());
    m_pTopBits->setEnabled(!m_pFullPrecision->isChecked());
    m_pShift->setEnabled(!m_pFullPrecision->isChecked() && !m_pTopBits->isChecked());
    m_pRounding->setEnabled(!m_pFullPrecision->isChecked());
    m_pOverflow->setEnabled(!m_pFullPrecision->isChecked());
    std::vector<std::string> lines;
    std::string error;
    if (m_taps.empty())
        error = "No coefficients to implement.";
    else if (!MakeHdlSummary(m_taps, Read(), lines, error))
        lines.clear();
    std::string text = error;
    for (const std::string& line : lines)
        text += line + "\n";
    m_pSummary->setPlainText(ToQ(text));
}

void CFixedPointImplDialog::accept() {
    const SHdlOptions o = Read();
    if (!o.name.empty() && !IsVerilogIdentifier(o.name)) {
        m_host.Error(FormatMessage(kMsgHdlBadName, {o.name}));
        return;
    }
    m_opts.m_nBits = o.format.coefBits;
    m_opts.m_Hdl = o;
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
