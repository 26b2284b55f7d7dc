#include "views/fir_plots.h"

#include "doc/fir_doc.h"
#include "plot/plot_messages.h"

#include "response/response_types.h"
#include "support/paths.h"

#include <QFileDialog>
#include <QMenu>

// ---- comparing ----------------------------------------------------------------------------------

bool CComparingPlotView::CompareWithPrevious() {
    auto previous = std::make_unique<CFirProject>(&Host());
    try {
        if (!Document().ReadPreviousState(*previous))
            return false;
    } catch (const std::exception&) {
        return false;
    }
    m_pCompare = std::move(previous);
    m_eCompare = ECompare::Previous;
    ShowCompare(PlotMenus::kComparePrevious);
    return true;
}

bool CComparingPlotView::CompareWithUnquantized() {
    const CFirData& filter = Document().Filter();
    if (!filter.HasUnquantized())
        return false;
    auto ideal = std::make_unique<CFirProject>(&Host());
    ideal->m_Filter = filter.UnquantizedFilter();
    m_pCompare = std::move(ideal);
    m_eCompare = ECompare::Unquantized;
    ShowCompare(PlotMenus::kCompareUnquantized);
    return true;
}

bool CComparingPlotView::CompareWithProject(const std::string& path) {
    auto other = std::make_unique<CFirProject>(&Host());
    if (LoadProject(path, *other, Host()) != ELoadResult::Ok)
        return false;
    m_pCompare = std::move(other);
    m_eCompare = ECompare::Other;
    ShowCompare(NameWithoutExtension(path));
    return true;
}

void CComparingPlotView::ShowCompare(const std::string& name) {
    ApplyCompare(&m_pCompare->m_Filter, Document().m_strTitle, name);
    RefreshPlot();
}

void CComparingPlotView::CompareWithNone() {
    ApplyCompare(nullptr, "", "");
    m_pCompare.reset();
    m_eCompare = ECompare::None;
    RefreshPlot();
}

void CComparingPlotView::FollowPrevious() {
    if ((m_eCompare == ECompare::Previous && !CompareWithPrevious()) ||
        (m_eCompare == ECompare::Unquantized && !CompareWithUnquantized()))
        CompareWithNone();
}

void CComparingPlotView::AddCompareMenu(QMenu& menu) {
    using namespace PlotMenus;
    QMenu* compare = menu.addMenu(QString::fromLatin1(kCompareMenu));
    QAction* previous = compare->addAction(QString::fromLatin1(kComparePrevious),
                                           [this] { CompareWithPrevious(); });
    previous->setCheckable(true);
    previous->setChecked(m_eCompare == ECompare::Previous);
    previous->setEnabled(Document().CanUndo());
    QAction* unquantized = compare->addAction(QString::fromLatin1(kCompareUnquantized),
                                              [this] { CompareWithUnquantized(); });
    unquantized->setCheckable(true);
    unquantized->setChecked(m_eCompare == ECompare::Unquantized);
    unquantized->setEnabled(Document().Filter().HasUnquantized());
    QAction* other = compare->addAction(QString::fromLatin1(kCompareOther), [this] {
        const QString path =
            QFileDialog::getOpenFileName(this, QString::fromLatin1(kCompareMenu), QString(),
                                         QStringLiteral("FIR Projects (*.cfp);;All Files (*)"));
        if (!path.isEmpty())
            CompareWithProject(path.toStdString());
    });
    other->setCheckable(true);
    other->setChecked(m_eCompare == ECompare::Other);
    QAction* none =
        compare->addAction(QString::fromLatin1(kCompareNone), [this] { CompareWithNone(); });
    none->setCheckable(true);
    none->setChecked(m_eCompare == ECompare::None);
    AddCompareOptions(*compare);
}

// ---- frequency view -----------------------------------------------------------------------------

CFirFreqPlot::CFirFreqPlot(CFirDoc& doc, QWidget* parent)
    : CComparingPlotView(doc, parent), m_model(&doc.Host()) {
    setAccessibleName(QStringLiteral("Frequency Response"));
}

void CFirFreqPlot::OnUpdate(CFirDoc& doc, const SChangeNotice& notice) {
    m_model.SetCurveColor(doc.m_View.m_nCurveColor);
    m_model.OnUpdate(notice, doc.Filter());
    FollowPrevious();
    RefreshPlot();
}

void CFirFreqPlot::ApplyCompare(const CFirData* other, const std::string& ownName,
                                const std::string& otherName) {
    m_model.SetCompare(other, ownName, otherName);
}

void CFirFreqPlot::SetDifference(bool on) {
    m_model.SetDifference(on);
    RefreshPlot();
}

void CFirFreqPlot::AddCompareOptions(QMenu& compare) {
    using namespace PlotMenus;
    compare.addSeparator();
    QAction* difference = compare.addAction(QString::fromLatin1(kDifference),
                                            [this] { SetDifference(!m_model.ShowsDifference()); });
    difference->setCheckable(true);
    difference->setChecked(m_model.ShowsDifference());
    difference->setEnabled(Compares() && m_model.GetKind() == kResponseMagnitude && m_model.m_bDb);
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
        const int kind = kResponseKinds[i];
        QAction* a =
            response->addAction(QString::fromLatin1(kKinds[i]), [this, kind] { SetKind(kind); });
        a->setCheckable(true);
        a->setChecked(m_model.GetKind() == kind);
    }
    AddCompareMenu(menu);
}

// ---- time view ----------------------------------------------------------------------------------

CFirTimePlot::CFirTimePlot(CFirDoc& doc, QWidget* parent)
    : CComparingPlotView(doc, parent), m_model(&doc.Host()) {
    setAccessibleName(QStringLiteral("Time Response"));
}

void CFirTimePlot::OnUpdate(CFirDoc& doc, const SChangeNotice& notice) {
    m_model.OnUpdate(notice, doc.Filter());
    FollowPrevious();
    RefreshPlot();
}

void CFirTimePlot::ApplyCompare(const CFirData* other, const std::string& ownName,
                                const std::string& otherName) {
    m_model.SetCompare(other, ownName, otherName);
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
    AddCompareMenu(menu);
}

// ---- pole-zero view -----------------------------------------------------------------------------

CPoleZeroPlot::CPoleZeroPlot(CFirDoc& doc, QWidget* parent)
    : CPlotView(doc, parent), m_model(&doc.Host()) {
    setAccessibleName(QString::fromLatin1(PlotMessages::kPoleZeroTitle));
}

void CPoleZeroPlot::OnUpdate(CFirDoc& doc, const SChangeNotice& notice) {
    m_model.OnUpdate(notice, doc.Filter());
    RefreshPlot();
}

CPlotView* CreatePlotView(CFirDoc& doc, EViewKind kind, QWidget* parent) {
    CPlotView* view = nullptr;
    if (kind == EViewKind::Frequency)
        view = new CFirFreqPlot(doc, parent);
    else if (kind == EViewKind::Time)
        view = new CFirTimePlot(doc, parent);
    else if (kind == EViewKind::PoleZero)
        view = new CPoleZeroPlot(doc, parent);
    return view;
}
