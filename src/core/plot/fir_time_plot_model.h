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

private:
    void RebuildStep();
    // After new coefficients: keeps the X range shown when it still lies within the data.
    void KeepZoomOnNewData(CFirData& filter);
    const CFirData* m_pFilter = nullptr;
    int m_nMode = kTimeImpulse;
    bool m_bRefitPending = false;
    CCorviData m_Step;
};
