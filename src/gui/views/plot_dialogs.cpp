#include "views/plot_dialogs.h"

#include "plot/graph.h"
#include "plot/plot_messages.h"
#include "support/host.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kNotANumber = "Please enter a number.";

QString Number(double v) {
    return QString::number(v, 'g', 10);
}

// A labelled line edit in a form; the label is its buddy and accessible name.
QLineEdit* AddField(QFormLayout* form, const QString& caption, const QString& text) {
    auto* edit = new QLineEdit(text);
    auto* label = new QLabel(caption);
    label->setBuddy(edit);
    edit->setAccessibleName(QString(caption).remove('&'));
    form->addRow(label, edit);
    return edit;
}

QCheckBox* AddCheck(QLayout* layout, const QString& caption, bool checked) {
    auto* box = new QCheckBox(caption);
    box->setChecked(checked);
    box->setAccessibleName(QString(caption).remove('&'));
    layout->addWidget(box);
    return box;
}

QDialogButtonBox* OkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

bool Read(const QLineEdit* edit, double& v) {
    bool ok = false;
    const double d = edit->text().trimmed().toDouble(&ok);
    if (ok)
        v = d;
    return ok;
}

bool Read(const QLineEdit* edit, int& v) {
    bool ok = false;
    const int i = edit->text().trimmed().toInt(&ok);
    if (ok)
        v = i;
    return ok;
}

} // namespace

// ---- axis ---------------------------------------------------------------------------------------

CAxisDlg::CAxisDlg(const CAxisSettings& record, bool xAxis, QWidget* parent)
    : QDialog(parent), m_record(record), m_bX(xAxis) {
    setWindowTitle(QString::fromLatin1(xAxis ? PlotMessages::kXAxis : PlotMessages::kYAxis));
    auto* scaling = new QGroupBox(tr("Axis Scaling"));
    auto* scalingForm = new QFormLayout(scaling);
    m_pMax = AddField(scalingForm, tr("Axis Maximum"), Number(record.m_dAxisMax));
    m_pMin = AddField(scalingForm, tr("Axis Minimum"), Number(record.m_dAxisMin));
    m_pLabel = AddField(scalingForm, tr("Label Spacing"), Number(record.m_dLabel));
    m_pTic = AddField(scalingForm, tr("Tic Spacing"), Number(record.m_dTic));
    auto* scalingRow = new QHBoxLayout;
    m_pAutoScale = AddCheck(scalingRow, tr("&Automatic"), record.m_bAutoScale != 0);
    m_pAutoscaleOnce = new QPushButton(tr("Autoscale Once"));
    scalingRow->addWidget(m_pAutoscaleOnce);
    scalingForm->addRow(scalingRow);

    auto* labels = new QGroupBox(tr("Label Scaling"));
    auto* labelsForm = new QFormLayout(labels);
    m_pPower = AddField(labelsForm, tr("Power of 10"), QString::number(record.m_nPower));
    m_pDecimals =
        AddField(labelsForm, tr("Max Decimal Digits"), QString::number(record.m_nDecimals));
    auto* labelsRow = new QHBoxLayout;
    m_pAutoLabels = AddCheck(labelsRow, tr("Automatic"), record.m_bManualLabels == 0);
    labelsForm->addRow(labelsRow);

    auto* grid = new QGroupBox(tr("Grid Options"));
    auto* gridLayout = new QVBoxLayout(grid);
    m_pGrid = new QButtonGroup(this);
    const char* gridNames[] = {"None", "On Tic Marks", "On Labels", "On Zero"};
    for (int i = 0; i < 4; ++i) {
        auto* radio = new QRadioButton(tr(gridNames[i]));
        radio->setChecked(record.m_nGrid == i);
        m_pGrid->addButton(radio, i);
        gridLayout->addWidget(radio);
    }
    m_pLog = AddCheck(gridLayout, tr("&Log Mode"), record.m_bLog != 0);

    auto* layout = new QGridLayout(this);
    layout->addWidget(scaling, 0, 0, 2, 1);
    layout->addWidget(labels, 0, 1);
    layout->addWidget(grid, 1, 1);
    layout->addWidget(OkCancel(this), 2, 0, 1, 2);

    connect(m_pAutoscaleOnce, &QPushButton::clicked, this, &CAxisDlg::AutoscaleOnce);
    connect(m_pAutoScale, &QCheckBox::toggled, this, [this](bool on) {
        UpdateEnabling();
        if (on)
            AutoscaleOnce();
    });
    connect(m_pAutoLabels, &QCheckBox::toggled, this, [this] { UpdateEnabling(); });
    connect(m_pLog, &QCheckBox::toggled, this, [this] {
        if (m_pAutoScale->isChecked())
            AutoscaleOnce();
    });
    UpdateEnabling();
}

void CAxisDlg::UpdateEnabling() {
    const bool manual = !m_pAutoScale->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(m_pMax), static_cast<QWidget*>(m_pMin),
                       static_cast<QWidget*>(m_pLabel), static_cast<QWidget*>(m_pTic),
                       static_cast<QWidget*>(m_pAutoscaleOnce)})
        w->setEnabled(manual);
    m_pPower->setEnabled(!m_pAutoLabels->isChecked());
}

void CAxisDlg::AutoscaleOnce() {
    const SNiceScale s = AxisAutoscaleOnce(m_record, m_pLog->isChecked());
    m_pMin->setText(Number(s.dMin));
    m_pMax->setText(Number(s.dMax));
    m_pLabel->setText(Number(s.dLabel));
    m_pTic->setText(Number(s.dTic));
}

bool CAxisDlg::GetRecord(CAxisSettings& out, CHost* pHost) const {
    CAxisSettings r = m_record;
    if (!Read(m_pMax, r.m_dAxisMax) || !Read(m_pMin, r.m_dAxisMin) || !Read(m_pLabel, r.m_dLabel) ||
        !Read(m_pTic, r.m_dTic) || !Read(m_pPower, r.m_nPower) ||
        !Read(m_pDecimals, r.m_nDecimals)) {
        if (pHost)
            pHost->Warning(kNotANumber);
        return false;
    }
    r.m_bAutoScale = m_pAutoScale->isChecked() ? 1 : 0;
    r.m_bManualLabels = m_pAutoLabels->isChecked() ? 0 : 1;
    r.m_bLog = m_pLog->isChecked() ? 1 : 0;
    if (m_pGrid->checkedId() >= 0)
        r.m_nGrid = m_pGrid->checkedId();
    CheckAxisRecord(r, m_bX, pHost);
    out = r;
    return true;
}

bool RunAxisDialog(CPlot& plot, bool xAxis, CHost& host, QWidget* parent) {
    CAxisDlg dialog(xAxis ? plot.m_X : plot.m_Y, xAxis, parent);
    while (dialog.exec() == QDialog::Accepted) {
        CAxisSettings record;
        if (!dialog.GetRecord(record, &host))
            continue;
        ApplyAxisRecord(plot, xAxis, record);
        return true;
    }
    return false;
}

// ---- titles -------------------------------------------------------------------------------------

CTitles::CTitles(const CPlot& plot, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Titles"));
    auto* layout = new QVBoxLayout(this);
    const auto group = [&](const QString& caption, const std::string& text) {
        auto* box = new QGroupBox(caption);
        auto* l = new QVBoxLayout(box);
        auto* edit = new QLineEdit(QString::fromStdString(text));
        edit->setAccessibleName(caption);
        edit->setMinimumWidth(420);
        l->addWidget(edit);
        layout->addWidget(box);
        return edit;
    };
    m_pMain = group(tr("Main Title"), plot.m_strTitle);
    m_pX = group(tr("X-Title"), plot.m_strXTitle);
    m_pY = group(tr("Y-Title"), plot.m_strYTitle);
    layout->addWidget(OkCancel(this));
}

bool RunTitlesDialog(CPlot& plot, QWidget* parent) {
    CTitles dialog(plot, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    ApplyTitles(plot, dialog.m_pMain->text().toStdString(), dialog.m_pX->text().toStdString(),
                dialog.m_pY->text().toStdString());
    return true;
}

// ---- properties ---------------------------------------------------------------------------------

CGraphOptions::CGraphOptions(const SGraphOptions& o, CHost& host, QWidget* parent)
    : QDialog(parent), m_host(host) {
    setWindowTitle(tr("Plot Properties"));
    auto* display = new QGroupBox(tr("Display Format"));
    auto* displayLayout = new QVBoxLayout(display);
    m_pOrigin = AddCheck(displayLayout, tr("Origin at Zero"), o.bOriginAtZero);
    m_pAutoTitles = AddCheck(displayLayout, tr("Auto Titles"), o.bAutoTitles);
    m_pLegend = AddCheck(displayLayout, tr("Enable Legend"), o.bLegend);
    m_pDb = AddCheck(displayLayout, tr("Magnitude in dB"), o.bDb);
    auto* reduction = new QGroupBox(tr("Data Reduction"));
    auto* reductionLayout = new QVBoxLayout(reduction);
    m_pInteger = AddCheck(reductionLayout, tr("Integer Point Reduction"), o.bIntegerReduction);
    m_pSum = AddCheck(reductionLayout, tr("Sum Freq Mag in Plot Lines"), o.bSumMode);
    auto* zooming = new QGroupBox(tr("Zooming"));
    auto* zoomingLayout = new QVBoxLayout(zooming);
    m_pDecade = AddCheck(zoomingLayout, tr("Zoom Full Decade in Log Plot"), o.bZoomFullDecade);
    auto* histogram = new QGroupBox(tr("Histogram"));
    auto* histogramForm = new QFormLayout(histogram);
    m_pBins = AddField(histogramForm, tr("Num Bins"), QString::number(o.nBins));
    m_pAutoBins = new QCheckBox(tr("Auto"));
    m_pAutoBins->setChecked(o.bAutoBins);
    m_pAutoBins->setAccessibleName(tr("Auto Bins"));
    histogramForm->addRow(QString(), m_pAutoBins);
    m_pMax = AddField(histogramForm, tr("Max"), Number(o.dMax));
    m_pMin = AddField(histogramForm, tr("Min"), Number(o.dMin));
    m_pAutoRange = new QCheckBox(tr("Auto"));
    m_pAutoRange->setChecked(o.bAutoRange);
    m_pAutoRange->setAccessibleName(tr("Auto Range"));
    histogramForm->addRow(QString(), m_pAutoRange);

    auto* layout = new QGridLayout(this);
    layout->addWidget(display, 0, 0);
    layout->addWidget(reduction, 1, 0);
    layout->addWidget(zooming, 2, 0);
    layout->addWidget(histogram, 0, 1, 3, 1);
    layout->addWidget(OkCancel(this), 3, 0, 1, 2);
    connect(m_pAutoBins, &QCheckBox::toggled, this, [this] { UpdateEnabling(); });
    connect(m_pAutoRange, &QCheckBox::toggled, this, [this] { UpdateEnabling(); });
    UpdateEnabling();
}

void CGraphOptions::UpdateEnabling() {
    m_pBins->setEnabled(!m_pAutoBins->isChecked());
    m_pMax->setEnabled(!m_pAutoRange->isChecked());
    m_pMin->setEnabled(!m_pAutoRange->isChecked());
}

SGraphOptions CGraphOptions::Options() const {
    SGraphOptions o;
    o.bOriginAtZero = m_pOrigin->isChecked();
    o.bAutoTitles = m_pAutoTitles->isChecked();
    o.bLegend = m_pLegend->isChecked();
    o.bDb = m_pDb->isChecked();
    o.bIntegerReduction = m_pInteger->isChecked();
    o.bSumMode = m_pSum->isChecked();
    o.bZoomFullDecade = m_pDecade->isChecked();
    o.bAutoBins = m_pAutoBins->isChecked();
    o.bAutoRange = m_pAutoRange->isChecked();
    Read(m_pBins, o.nBins);
    Read(m_pMax, o.dMax);
    Read(m_pMin, o.dMin);
    return o;
}

void CGraphOptions::accept() {
    int bins = 0;
    double a = 0, b = 0;
    if ((!m_pAutoBins->isChecked() && !Read(m_pBins, bins)) ||
        (!m_pAutoRange->isChecked() && (!Read(m_pMax, a) || !Read(m_pMin, b)))) {
        m_host.Warning(kNotANumber);
        return;
    }
    if (ValidateGraphOptions(Options(), &m_host))
        QDialog::accept();
}

bool RunPropertiesDialog(CGraph& graph, CHost& host, QWidget* parent) {
    CGraphOptions dialog(GetGraphOptions(graph), host, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    ApplyGraphOptions(graph, dialog.Options());
    return true;
}
