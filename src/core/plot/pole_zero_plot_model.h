#pragma once

#include "dsp/filter_zeros.h"
#include "plot/graph.h"
#include "support/change_notice.h"

class CFirData;

// The view code of the pole-zero plot among a filter's views (after the time response modes).
inline constexpr int kPoleZeroView = 16;
// Zeros closer than this (relative to max(1, |z|)) count as one zero of higher multiplicity.
inline constexpr double kZeroMultiplicityTolerance = 1e-6;

// The pole-zero plot of a filter: the zeros of its transfer function in the z-plane as rings, its
// poles (all at the origin) as one cross with their count, and the unit circle, on equal scales.
// The zeros are found when the coefficients change, not when the plot is drawn. A filter whose
// zeros cannot be trusted shows the reason instead of zeros.
class CPoleZeroPlotModel : public CGraph {
public:
    explicit CPoleZeroPlotModel(CHost* pHost = nullptr);

    // Binds filter (not owned) and finds its zeros.
    void Bind(const CFirData& filter);
    // Acts on a document's notice about filter: binds at the first notice, finds the zeros again
    // when its coefficients differ from those last used, forgets the filter when the document
    // closes.
    void OnUpdate(const SChangeNotice& notice, const CFirData& filter);
    const CFirData* Filter() const { return m_pFilter; }
    const SFilterZeros& Zeros() const { return m_zeros; }

    bool HasData() const override;
    int GetCurveCount() const override { return 0; }
    void AutoScale() override;
    int UpdateTitles(int xPower, int& yDisplayPower) override;
    void BuildPoints(int& width) override;
    void SetCurveAttributes() override {}
    bool SetXRange(double lo, double hi) override { return CPlot::SetXRange(lo, hi); }
    // The zero nearest a device point (index into Zeros().zeros), -1 without zeros.
    int HitTest(int x, int y, int& curve) const override;
    // "Zero at radius R, angle F unit" and its multiplicity when above 1.
    std::string ReadoutText(int index, int curve) override;
    void ResetZoom() override { CPlot::ResetZoom(); }
    std::vector<SPlotMark> Marks() const override;
    std::string PlotMessage() const override;
    // One zero per line: "re   im" (10 significant digits), titles first when asked.
    std::string GetPlotFileText(bool withTitles) const override;
    std::string GetCopyDataText() const override;

    // The angle of z as a frequency in the unit of the filter's Fs (-Fs/2..Fs/2).
    double AngleFrequency(mcplx z) const;

private:
    void FindZeros();
    const CFirData* m_pFilter = nullptr;
    mvect m_coefficients; // those the zeros were found for
    SFilterZeros m_zeros;
};
