#include "design/remez/pm_fir.h"

namespace {
// Response type whose desired response rises with frequency.
constexpr int kDifferentiator = 2;
} // namespace

double CPmFir::EFF(double freq, double desired, double /*weight*/, int /*band*/, int jtype) const {
    if (jtype == kDifferentiator) {
        return desired * freq;
    }
    return desired;
}

double CPmFir::WATE(double freq, double desired, double weight, int /*band*/, int jtype) const {
    if (jtype == kDifferentiator && desired >= 0.0001) {
        return weight / freq;
    }
    return weight;
}
