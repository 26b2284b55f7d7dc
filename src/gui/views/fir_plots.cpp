#include "views/fir_plots.h"

#include "doc/fir_doc.h"
#include "plot/plot_messages.h"

#include <QMenu>

// ---- frequency view -----------------------------------------------------------------------------

CFirFreqPlot::CFirFreqPlot(CFirDoc& doc, QWidget* parent)
    : CPlotView(doc, parent), m_model(&doc.Host()) {
    setAccessibleName(QStringLiteral("Frequency Response"));
}

void CFirFreqPlot::OnUpdate(CFirDoc& doc, int hint) {
    m_model.OnUpdate(hint, doc.Filter());
    RefreshPlot();
}

void CFirFreqPlot::SetChannel(int channel) {
    m_model.SetChannel(channel);
    RefreshPlot();
}

void CFirFreqPlot::SetKind(int kind) {
    m_model.SetKind(kind);
    RefreshPlot();
}

void CFirFreqPlot::AddViewMenus(QMenu& menu) {
    using namespace PlotMenus;
    QMenu* filter = menu.addMenu(QString::fromLatin1(kFilterMenu));
    for (int c = 1; c <= 4; ++c) {
        QAction* a =
            filter->addAction(QString::fromLatin1(kChannels[c - 1]), [this, c] { SetChannel(c); });
        a->setCheckable(true);
        a->setChecked(m_model.GetChannel() == c);
        a->setEnabled(m_model.CanChooseChannel(c));
    }
    QMenu* response = menu.addMenu(QString::fromLatin1(kResponseMenu));
    for (int i = 0; i < 5; ++i) {
        const int kind = kKindCodes[i];
        QAction* a =
            response->addAction(QString::fromLatin1(kKinds[i]), [this, kind] { SetKind(kind); });
        a->setCheckable(true);
        a->setChecked(m_model.GetKind() == kind);
    }
}

// ---- time view ----------------------------------------------------------------------------------

CFirTimePlot::CFirTimePlot(CFirDoc& doc, QWidget* parent)
    : CPlotView(doc, parent), m_model(&doc.Host()) {
    setAccessibleName(QStringLiteral("Time Response"));
}

void CFirTimePlot::OnUpdate(CFirDoc& doc, int hint) {
    m_model.OnUpdate(hint, doc.Filter());
    RefreshPlot();
}

void CFirTimePlot::SetMode(int mode) {
    m_model.SetMode(mode);
    RefreshPlot();
}

void CFirTimePlot::SetType(int type) {
    const bool polarChange = (type == kGraphPolar) != (m_model.m_nType == kGraphPolar);
    if (polarChange &&
        !Host().AskYesNo(type == kGraphPolar ? PlotMessages::kToPolar : PlotMessages::kFromPolar))
        return;
    m_model.SetType(type);
    RefreshPlot();
}

void CFirTimePlot::ToggleHistogram() {
    m_model.SetHistogram(!m_model.m_bHistogram);
    RefreshPlot();
}

void CFirTimePlot::AddViewMenus(QMenu& menu) {
    using namespace PlotMenus;
    QMenu* type = menu.addMenu(QString::fromLatin1(kTypeMenu));
    for (int t = 0; t <= kGraphPolar; ++t) {
        QAction* a = type->addAction(QString::fromLatin1(kTypes[t]), [this, t] { SetType(t); });
        a->setCheckable(true);
        a->setChecked(m_model.m_nType == t);
    }
    QAction* histogram =
        type->addAction(QString::fromLatin1(kHistogram), [this] { ToggleHistogram(); });
    histogram->setCheckable(true);
    histogram->setChecked(m_model.m_bHistogram != 0);
    histogram->setEnabled(m_model.m_nType != kGraphPolar);
    QMenu* response = menu.addMenu(QString::fromLatin1(kResponseMenu));
    for (int i = 0; i < 3; ++i) {
        const int mode = kTimeImpulse + i;
        QAction* a =
            response->addAction(QString::fromLatin1(kModes[i]), [this, mode] { SetMode(mode); });
        a->setCheckable(true);
        a->setChecked(m_model.GetMode() == mode);
    }
}

// ---- pole-zero view -----------------------------------------------------------------------------

CPoleZeroPlot::CPoleZeroPlot(CFirDoc& doc, QWidget* parent)
    : CPlotView(doc, parent), m_model(&doc.Host()) {
    setAccessibleName(QString::fromLatin1(PlotMessages::kPoleZeroTitle));
}

void CPoleZeroPlot::OnUpdate(CFirDoc& doc, int hint) {
    m_model.OnUpdate(hint, doc.Filter());
    RefreshPlot();
}

CPlotView* CreatePlotView(CFirDoc& doc, EViewKind kind, int hint, QWidget* parent) {
    CPlotView* view = nullptr;
    if (kind == EViewKind::Frequency)
        view = new CFirFreqPlot(doc, parent);
    else if (kind == EViewKind::Time)
        view = new CFirTimePlot(doc, parent);
    else if (kind == EViewKind::PoleZero)
        view = new CPoleZeroPlot(doc, parent);
    if (view && hint != 0)
        view->OnUpdate(doc, hint);
    return view;
}
