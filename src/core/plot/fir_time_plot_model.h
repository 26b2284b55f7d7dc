#pragma once

#include "data/corvi_data.h"
#include "plot/graph.h"
#include "support/change_notice.h"

class CFirData;

// Response modes of the time view.
enum EFirTimeMode { kTimeImpulse = 13, kTimeStep = 14, kTimeImpulseAndStep = 15 };

// The time-response plot of a filter: its impulse response (the coefficients), its step
// response (their running sums) or both, as any signal graph type.
class CFirTimePlotModel : public CGraph {
public:
    explicit CFirTimePlotModel(CHost* pHost = nullptr);

    // Acts on a document's notice about filter: binds at a time binding (step mode for a step
    // binding), follows the coefficients, refits after a change of the sampling frequency.
    void OnUpdate(const SChangeNotice& notice, const CFirData& filter);
    // Binds filter directly with a mode, a graph type (-1: by the filter's real flag) and style.
    void Bind(const CFirData& filter, int mode, int type, int style);
    void ResetSettings() override;
    const CFirData* Filter() const { return m_pFilter; }

    // Command: impulse, step or both; refreshes.
    void SetMode(int mode);
    int GetMode() const { return m_nMode; }
    // Command: a graph type; refreshes (the polar type resets the zoom).
    void SetType(int type);

    // Draws other (copied; nullptr: none) over the filter in its own colours: the same response
    // and graph type of its coefficients at its own sample times, in the filter's time unit,
    // reduced as the filter's samples are; the legend names both. Not in the polar type or a
    // histogram.
    void SetCompare(const CFirData* other, const std::string& ownName,
                    const std::string& otherName);
    bool HasCompare() const { return m_bCompare; }
    // Whether the other filter is drawn in the present type.
    bool ShowsCompare() const;
    // The factor from the other filter's time unit to the filter's.
    double CompareTimeScale() const;
    // The curves of the filter (the other filter's, when drawn, follow them).
    int OwnCurveCount() const;

    // The step response in step mode, else the coefficients.
    const CCorviData* Shown() const override;
    bool HasData() const override;
    int GetCurveCount() const override;
    void AutoScale() override;
    int UpdateTitles(int xPower, int& yDisplayPower) override;
    void BuildPoints(int& width) override;
    void SetCurveAttributes() override;
    bool SetXRange(double lo, double hi) override;
    void ResetZoom() override;
    std::string ReadoutText(int index, int curve) override;
    bool LegendRequired() const override { return ShowsCompare(); }
    // With a filter to compare: the filter's points, then a line "# compare NAME" and the
    // other filter's points at its own times.
    std::string GetPlotFileText(bool withTitles) const override;

protected:
    int ReductionCount(const CCorviData& data) const override;

private:
    // The data drawn of the filter or of the other one: impulse response, step response or both.
    std::vector<const CCorviData*> ShownOf(bool compare) const;
    void AutoScaleCompared();
    // Appends the other filter's curves, at its own X columns, after the filter's.
    void BuildComparedPoints();
    bool SetComparedXRange(double lo, double hi);
    void SetOwnCurveAttributes();
    bool m_bCompare = false;
    std::string m_strOwnName, m_strCompareName;
    CCorviData m_CompareImpulse, m_CompareStep;
    // Whether the filter's and the other filter's samples lie in the X range shown.
    bool m_bOwnInView = true, m_bCompareInView = true;

    void RebuildStep();
    // After new coefficients: keeps the X range shown when it still lies within the data.
    void KeepZoomOnNewData(CFirData& filter);
    const CFirData* m_pFilter = nullptr;
    int m_nMode = kTimeImpulse;
    bool m_bRefitPending = false;
    CCorviData m_Step;
};
