#include "plot/plot_dialog_rules.h"

#include "plot/graph.h"
#include "plot/plot_messages.h"
#include "support/format_number.h"
#include "support/host.h"

SNiceScale AxisAutoscaleOnce(const CAxisSettings& record, bool log) {
    return NiceScale(record.m_dDataMin, record.m_dDataMax, log);
}

void CheckAxisRecord(CAxisSettings& r, bool xAxis, CHost* pHost) {
    const char* name = xAxis ? PlotMessages::kXAxis : PlotMessages::kYAxis;
    const double span = r.m_dAxisMax - r.m_dAxisMin;
    if (!r.m_bLog && span > 0) {
        if (!(r.m_dLabel > 0) || span / r.m_dLabel > 101) {
            if (pHost)
                pHost->Notice(FormatMessage(PlotMessages::kAxisTooManyLabels, {name}));
            r.m_dLabel = span / 10;
        }
        if (!(r.m_dTic > 0) || span / r.m_dTic > 101) {
            if (pHost)
                pHost->Notice(FormatMessage(PlotMessages::kAxisTooManyTics, {name}));
            r.m_dTic = r.m_dLabel / 5;
        }
    }
    if (!r.m_bManualLabels)
        r.m_nPower = r.AutomaticPower();
}

void ApplyAxisRecord(CPlot& plot, bool xAxis, const CAxisSettings& record) {
    (xAxis ? plot.m_X : plot.m_Y) = record;
    plot.ApplyAxisSettings(xAxis);
    plot.Refresh();
}

void ApplyTitles(CPlot& plot, const std::string& main, const std::string& x, const std::string& y) {
    plot.m_strTitle = main;
    plot.m_strXTitle = x;
    plot.m_strYTitle = y;
    plot.m_bAutoTitles = 0;
    plot.Refresh();
}

SGraphOptions GetGraphOptions(const CGraph& g) {
    SGraphOptions o;
    o.bOriginAtZero = g.m_bOriginAtZero != 0;
    o.bAutoTitles = g.m_bAutoTitles != 0;
    o.bLegend = g.m_bLegend != 0;
    o.bDb = g.m_bDb != 0;
    o.bIntegerReduction = g.m_bIntegerReduction != 0;
    o.bSumMode = g.m_bSumMode != 0;
    o.bZoomFullDecade = g.m_bZoomFullDecade != 0;
    o.nBins = g.m_Histogram.m_nBins;
    o.bAutoBins = g.m_Histogram.m_bAutoBins != 0;
    o.dMax = g.m_Histogram.m_dMax;
    o.dMin = g.m_Histogram.m_dMin;
    o.bAutoRange = g.m_Histogram.m_bAutoRange != 0;
    return o;
}

bool ValidateGraphOptions(const SGraphOptions& o, CHost* pHost) {
    if (!o.bAutoRange && !(o.dMax > o.dMin)) {
        if (pHost)
            pHost->Error(PlotMessages::kHistogramRange);
        return false;
    }
    if (!o.bAutoBins && o.nBins <= 4) {
        if (pHost)
            pHost->Error(PlotMessages::kHistogramBins);
        return false;
    }
    return true;
}

void ApplyGraphOptions(CGraph& g, const SGraphOptions& o) {
    g.m_bOriginAtZero = o.bOriginAtZero;
    g.m_bAutoTitles = o.bAutoTitles;
    g.m_bLegend = o.bLegend;
    g.m_bDb = o.bDb;
    g.m_bIntegerReduction = o.bIntegerReduction;
    g.m_bSumMode = o.bSumMode;
    g.m_bZoomFullDecade = o.bZoomFullDecade;
    g.m_Histogram.m_nBins = o.nBins;
    g.m_Histogram.m_bAutoBins = o.bAutoBins;
    g.m_Histogram.m_dMax = o.dMax;
    g.m_Histogram.m_dMin = o.dMin;
    g.m_Histogram.m_bAutoRange = o.bAutoRange;
    g.RequestRefit(true, true);
    g.RebuildHistogram();
    g.Refresh();
}
