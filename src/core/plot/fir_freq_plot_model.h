#pragma once

#include "plot/graph.h"
#include "support/change_notice.h"
#include "support/view_settings.h"

class CFirData;

// The frequency-response plot of a filter: magnitude, phase, unwrapped phase, phase delay or
// group delay of the inphase, quadrature, both or the complex filter, computed at one frequency
// per device column of the visible part of -Fs/2..Fs/2, with the specification mask over it.
// m_nType holds the response kind (EResponseKind).
class CFirFreqPlotModel : public CGraph {
public:
    explicit CFirFreqPlotModel(CHost* pHost = nullptr);

    // Acts on a document's notice about filter: binds at a frequency binding, forgets the filter
    // when the document closes, refits after a change of the sampling frequency.
    void OnUpdate(const SChangeNotice& notice, const CFirData& filter);
    // Binds filter directly with a response kind (EResponseKind) and channel (EResponseChannel).
    void Bind(const CFirData& filter, int kind, int channel);
    void ResetSettings() override;
    const CFirData* Filter() const { return m_pFilter; }
    // The colour of the filter's curves (a colour reference, as the project keeps it).
    void SetCurveColor(int colorRef) { m_nCurveColor = colorRef; }

    // Commands: the channel (1..4) and the response kind; each refreshes.
    void SetChannel(int channel);
    void SetKind(int kind);
    int GetChannel() const { return m_nChannel; }
    int GetKind() const { return m_nType; }
    // Quadrature, I and Q and Complex need a complex filter.
    bool CanChooseChannel(int channel) const;

    // Draws other (not owned; nullptr: none) over the filter in its own colour, computed as its
    // own view with the same kind and channel computes it; the legend names both.
    void SetCompare(const CFirData* other, const std::string& ownName,
                    const std::string& otherName);
    const CFirData* Compare() const { return m_pCompare; }
    // With a filter to compare in the magnitude view: one curve, the filter's magnitude in dB
    // minus the other's.
    void SetDifference(bool on);
    bool ShowsDifference() const;

    bool HasData() const override;
    int GetCurveCount() const override;
    int GetAutoStyle() const override { return kStyleLine; }
    void AutoScale() override;
    int UpdateTitles(int xPower, int& yDisplayPower) override;
    void BuildPoints(int& width) override;
    void SetCurveAttributes() override;
    bool SetXRange(double lo, double hi) override;
    std::string ReadoutText(int index, int curve) override;
    bool LegendRequired() const override { return m_pCompare != nullptr; }
    std::vector<SOverlayLine> OverlayLines() const override;
    // With a filter to compare: the filter's points, then a line "# compare NAME" and the
    // other filter's points at the same frequencies.
    std::string GetPlotFileText(bool withTitles) const override;
    int HitTest(int x, int y, int& curve) const override { return CPlot::HitTest(x, y, curve); }

    // The response values of the present kind, channel and dB option at freqs (unit of Fs).
    void ComputeCurves(const std::vector<double>& freqs,
                       std::vector<std::vector<double>>& curves) const;
    // The same for another filter, as a view of it with these settings computes them.
    void ComputeCurvesOf(const CFirData& filter, const std::vector<double>& freqs,
                         std::vector<std::vector<double>>& curves) const;

    // The titles automatic titles last produced (main, X, Y).
    std::string m_strMainTitle;

private:
    void DeriveRange();
    bool ShowsMask() const;
    int OwnCurveCount() const { return m_nChannel == 3 ? 2 : 1; }
    // The plotted curves at freqs: the filter's, then the other's or their difference.
    void ComputeAllCurves(const std::vector<double>& freqs,
                          std::vector<std::vector<double>>& curves) const;
    const CFirData* m_pFilter = nullptr;
    const CFirData* m_pCompare = nullptr;
    std::string m_strOwnName, m_strCompareName;
    bool m_bDifference = false;
    int m_nCurveColor = SViewSettings::kDefaultCurveColor;
    int m_nChannel = 1;
    int m_bNeedRange = 1;
};
