#pragma once

#include "dsp/histogram.h"
#include "plot/plot.h"

class CCorviData;

// Graph types of a signal graph.
enum EGraphType {
    kGraphInphase = 0,
    kGraphQuadrature = 1,
    kGraphIAndQ = 2,
    kGraphMagnitude = 3,
    kGraphPhase = 4,
    kGraphPolar = 5, // Q against I
};

// The plot of a signal: its I and Q amplitudes, complex magnitude or phase, Q against I, or a
// histogram of them. Long signals are reduced to one point per device column: each point is
// the sample of largest magnitude in its column, or, for frequency magnitudes in sum mode, the
// sum of the powers the column holds.
class CGraph : public CPlot {
public:
    explicit CGraph(CHost* pHost = nullptr);

    // Restores the defaults (not the histogram settings) and forgets the signal.
    virtual void ResetSettings();
    // Shows signal (not owned): dB for frequency data, linear for time data.
    void AttachSignal(const CCorviData* pSignal);
    const CCorviData* Signal() const { return m_pSignal; }
    // The data the graph shows: the signal unless a derived graph shows data of its own made
    // from it. Readouts and the histogram are of this data.
    virtual const CCorviData* Shown() const { return m_pSignal; }
    // What is plotted: the shown data or its histogram.
    const CCorviData* Plotted() const;

    bool HasData() const override;
    int GetCurveCount() const override;
    int GetAutoStyle() const override;
    void AutoScale() override;
    int UpdateTitles(int xPower, int& yDisplayPower) override;
    void BuildPoints(int& width) override;
    void SetCurveAttributes() override;
    bool SetXRange(double lo, double hi) override;
    int HitTest(int x, int y, int& curve) const override;
    std::string ReadoutText(int index, int curve) override;
    void ResetZoom() override;

    // Appends one reduced value per point of the quantity kind (CCorviData::EQuantity: 0 I,
    // 1 Q, 2 power, 3 phase) of data to out; with buildX also the X column and the counts.
    void BuildReducedCurve(const CCorviData& data, int kind, std::vector<double>& out, bool buildX);
    // The same with the X values (times xScale) and counts going to xs and counts when given.
    void BuildReducedCurveAt(const CCorviData& data, int kind, double xScale,
                             std::vector<double>& out, std::vector<double>* xs,
                             std::vector<int>* counts);
    // Toggles histogram mode (not in the polar type).
    void SetHistogram(bool on);
    // The wheel with Shift in histogram mode: more bins (x1.25, at most the number of samples)
    // or fewer (x0.8, at least 5); the count is then no longer automatic. False outside
    // histogram mode.
    bool StepHistogramBins(bool more);
    // Recomputes the histogram of the shown quantity (in histogram mode).
    void RebuildHistogram();
    // The Y limits of the present type over data (power converted to dB or magnitude).
    void QuantityLimits(const CCorviData& data, double& lo, double& hi) const;
    // The X title's reduction note, e.g. " (20.0:1, Peak Mode)", or "".
    std::string ReductionSuffix() const;

    int m_nType = -1;
    int m_bDb = 1;
    int m_bSumMode = 1;
    int m_bIntegerReduction = 0;
    int m_bWasReal = 1;
    int m_nPerPoint = 0;
    double m_dPerPoint = 0;
    int m_bHistogram = 0;
    int m_bHistogramTitles = 0;
    CHistogramData m_Histogram;

protected:
    // Reduces the plotted data into curves [first, first + count of the type).
    void BuildTypeCurves(const CCorviData& data, size_t first, bool buildX);
    // The end (exclusive) of the group of samples that starts at i: a count of samples, the
    // samples of one device column, or the sample alone.
    int GroupEnd(int i, int first, int last, double x0, double dx) const;
    // Groups the displayed samples for a plot width; returns the width drawn.
    int ChooseReduction(const CCorviData& data, int width);
    // How many samples the plot shows across its width (the displayed samples of data).
    virtual int ReductionCount(const CCorviData& data) const {
        return data.m_nLast - data.m_nFirst + 1;
    }
    // Appends the plotted quantity of data, of the present type, reduced with the present
    // grouping, as curves drawn at its own points (X values times xScale).
    void BuildTypeCurvesAt(const CCorviData& data, double xScale);
    // Moves the start of a log X axis off 0: a decade below the first sample after xlo.
    static void LogAxisStart(const CCorviData& data, double& xlo, double xhi);
    // Whole-number reduction on a log X axis: the samples between the X 40 % along the axis
    // (in decades) and the X one device column to its right, at least 1.
    int LogSamplesPerPoint(const CCorviData& data, int width) const;
    double ToDisplayPower(const CCorviData& data, double power) const;
    std::string TypeYTitle(const CCorviData& data) const;

    const CCorviData* m_pSignal = nullptr;
    int m_nLastReadout = -1; // index of the point shown by the last click
};
