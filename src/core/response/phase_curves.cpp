#include "response/phase_curves.h"

#include "data/data_column.h"

#include <algorithm>
#include <cmath>

void UnwrapPhase(CDataColumn& curve) {
    const int n = curve.GetSize();
    if (n < 2) {
        return;
    }
    double offset = 0.0;
    double previous = curve[0];
    for (int i = 1; i < n; ++i) {
        const double raw = curve[i];
        const double d = raw - previous;
        if (d > 180.0) {
            offset -= 360.0;
        } else if (d < -180.0) {
            offset += 360.0;
        }
        previous = raw;
        curve[i] = raw + offset;
    }
}

void PhaseToPhaseDelay(CDataColumn& curve, const CDataColumn& freqs) {
    const int n = std::min(curve.GetSize(), freqs.GetSize());
    if (n == 0) {
        return;
    }
    // The unwrapped phase is only known up to whole turns; the delay needs the turns that make the
    // phase nearest zero frequency its principal value (the phase there is the filter's, not the
    // sum of the turns the curve passed through before it).
    int nearest = 0;
    for (int i = 1; i < n; ++i) {
        if (std::fabs(freqs[i]) < std::fabs(freqs[nearest])) {
            nearest = i;
        }
    }
    const double anchor = curve[nearest];
    double turns = 360.0 * std::round(anchor / 360.0);
    if (anchor - turns <= -180.0) {
        turns -= 360.0;
    }
    for (int i = 0; i < n; ++i) {
        if (freqs[i] != 0.0) {
            curve[i] = (curve[i] - turns) / freqs[i] / -360.0;
        }
    }
    // Points at f = 0 have no delay of their own: they borrow a neighbour's, computed above.
    for (int i = 0; i < n; ++i) {
        if (freqs[i] == 0.0) {
            if (i + 1 < n && freqs[i + 1] != 0.0) {
                curve[i] = curve[i + 1];
            } else if (i > 0) {
                curve[i] = curve[i - 1];
            } else {
                curve[i] = 0.0;
            }
        }
    }
}

void UnwrapPhaseByDelay(CDataColumn& curve, const CDataColumn& freqs, const CDataColumn& delays,
                        const std::vector<bool>& defined) {
    const int n = std::min(
        {curve.GetSize(), freqs.GetSize(), delays.GetSize(), static_cast<int>(defined.size())});
    double previous = n > 0 ? curve[0] : 0.0;
    for (int i = 1; i < n; ++i) {
        const double raw = curve[i];
        double predicted = previous;
        if (defined[i - 1] && defined[i]) {
            predicted -= 180.0 * (delays[i - 1] + delays[i]) * (freqs[i] - freqs[i - 1]);
        }
        const double turns = std::round((predicted - raw) / 360.0);
        curve[i] = raw + 360.0 * turns;
        previous = curve[i];
    }
}
