// In-place signal operations: windows, scaling, filling, generation, mixing, zero padding and
// stuffing, truncation, trimming, polyphase selection, convolution, integration.
#include "dsp/signal_ops.h"

#include "dsp/signal_messages.h"
#include "dsp/windows.h"
#include "support/format_number.h"
#include "support/host.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

void FillColumn(CDataColumn& c, int count, double value) {
    c.SetSize(0);
    if (count <= 0)
        return;
    c.SetSize(count);
    std::fill(c.begin(), c.end(), value);
}

// Keeps count values of a column starting at first.
void KeepRange(CDataColumn& c, int first, int count) {
    if (first > 0)
        std::copy(c.begin() + first, c.begin() + first + count, c.begin());
    c.SetSize(count);
}

double PointMagnitude(const CDataColumn& i, const CDataColumn& q, int k) {
    return std::sqrt(i[k] * i[k] + q[k] * q[k]);
}

// Linear gain of a level in dB; 0 below -300 dB.
double LevelToGain(double db) {
    return db >= -300.0 ? std::pow(10.0, db / 20.0) : 0.0;
}

} // namespace

void ApplyWindow(CCorviData& d, int code, double parameter, bool windowI, bool windowQ) {
    const int n = d.GetN();
    if (n == 0)
        return;
    if (d.IsReal())
        windowQ = false;
    const std::vector<double> w = ComputeWindow(code, parameter, n);
    for (int k = 0; k < n; ++k) {
        if (windowI)
            (*d.m_pI)[k] *= w[k];
        if (windowQ)
            (*d.m_pQ)[k] *= w[k];
    }
    d.m_nWindow = code;
}

bool Scale(CCorviData& d, bool scaleI, bool scaleQ, bool round, double factor) {
    const int n = d.GetN();
    if (n == 0)
        return true;
    if (factor == 0.0 &&
        !(d.GetHost() && d.GetHost()->AskYesNo(SignalMsg::kScaleByZero, EAnswer::Yes)))
        return false;
    if (d.IsReal())
        scaleQ = false;
    auto finite = [&](const CDataColumn& c) {
        for (int k = 0; k < n; ++k)
            if (!std::isfinite(c[k] * factor))
                return false;
        return true;
    };
    if ((scaleI && !finite(*d.m_pI)) || (scaleQ && !finite(*d.m_pQ))) {
        if (d.GetHost())
            d.GetHost()->Error(SignalMsg::kNotFinite);
        return false;
    }
    auto scale = [&](CDataColumn& c) {
        for (int k = 0; k < n; ++k) {
            const double v = c[k] * factor;
            c[k] = round ? RoundHalfAwayDouble(v) : v;
        }
    };
    if (scaleI)
        scale(*d.m_pI);
    if (scaleQ)
        scale(*d.m_pQ);
    return true;
}

void Fill(CCorviData& d, int count, bool fillI, bool fillQ, double value) {
    if (fillI)
        FillColumn(*d.m_pI, count, value);
    if (d.IsReal())
        d.m_pQ->SetSize(0);
    if (fillQ)
        FillColumn(*d.m_pQ, count, value);
    d.EqualizeLengths(0.0);
    d.m_nWindow = -1;
}

// A cosine and sine oscillator by phase accumulation, the phase wrapped into [0, 2 pi) once
// per step.
bool Generate(CCorviData& d, int count, bool genI, bool genQ, double frequency,
              double phaseDegrees) {
    const double step = kTwoPi * frequency / d.m_dFs;
    if (count > 0 && !std::isfinite(step))
        return false;
    const int n = std::max(count, 0);
    if (genI) {
        d.m_pI->SetSize(0);
        d.m_pI->SetSize(n);
    }
    if (genQ) {
        d.m_pQ->SetSize(0);
        d.m_pQ->SetSize(n);
    }
    double phi = kTwoPi * phaseDegrees / 360.0;
    for (int k = 0; k < n; ++k) {
        if (genI)
            (*d.m_pI)[k] = std::cos(phi);
        if (genQ) {
            double s = phi - kPi / 2.0;
            if (s < 0.0)
                s += kTwoPi;
            (*d.m_pQ)[k] = std::cos(s);
        }
        phi += step;
        if (phi > kTwoPi)
            phi -= kTwoPi;
    }
    d.EqualizeLengths(0.0);
    d.m_nWindow = -1;
    if (genQ)
        d.m_bReal = 0;
    return true;
}

bool GenerateCycles(CCorviData& d, int count, bool genI, bool genQ, double cycles,
                    double phaseDegrees) {
    const double frequency = count > 0 ? d.m_dFs * cycles / count : 0.0;
    return Generate(d, count, genI, genQ, frequency, phaseDegrees);
}

bool Mix(CCorviData& d, double frequency, double phase) {
    const int n = d.GetN();
    if (n == 0)
        return true;
    const double step = kTwoPi * frequency / d.m_dFs;
    if (!std::isfinite(step) || !std::isfinite(phase))
        return false;
    double phi = phase;
    for (int k = 0; k < n; ++k) {
        const double c = std::cos(phi);
        const double s = std::sin(phi);
        const double i = (*d.m_pI)[k];
        const double q = (*d.m_pQ)[k];
        (*d.m_pI)[k] = i * c - q * s;
        (*d.m_pQ)[k] = i * s + q * c;
        phi += step;
        if (phi > kPi)
            phi -= kTwoPi;
        else if (phi < -kPi)
            phi += kTwoPi;
    }
    d.DetectReal();
    return true;
}

void AppendZeros(CCorviData& d, int n) {
    if (n <= 0)
        return;
    const int len = d.GetN();
    d.m_pI->SetSize(len + n);
    d.m_pQ->SetSize(len + n);
    std::fill(d.m_pI->begin() + len, d.m_pI->end(), 0.0);
    std::fill(d.m_pQ->begin() + len, d.m_pQ->end(), 0.0);
    d.ResetRange();
}

void PrependZeros(CCorviData& d, int n) {
    if (n <= 0)
        return;
    const int len = d.GetN();
    for (CDataColumn* c : {d.m_pI, d.m_pQ}) {
        c->SetSize(len + n);
        std::copy_backward(c->begin(), c->begin() + len, c->end());
        std::fill(c->begin(), c->begin() + n, 0.0);
    }
    d.ResetRange();
}

void StuffZeros(CCorviData& d, int n, bool scaleFs) {
    const int len = d.GetN();
    if (n <= 0 || len == 0)
        return;
    const int64_t stride = static_cast<int64_t>(n) + 1;
    const int64_t newLen = (len - 1) * stride + 1;
    if (newLen > INT_MAX)
        return;
    for (CDataColumn* c : {d.m_pI, d.m_pQ}) {
        c->SetSize(static_cast<int>(newLen));
        // From the end down, so no point is overwritten before it has moved.
        for (int k = len - 1; k >= 0; --k) {
            const double v = (*c)[k];
            const int64_t at = k * stride;
            (*c)[static_cast<int>(at)] = v;
            for (int z = 1; z <= n && at + z < newLen; ++z)
                (*c)[static_cast<int>(at + z)] = 0.0;
        }
    }
    d.ResetRange();
    if (scaleFs)
        d.ScaleFs(static_cast<double>(stride));
}

int RemovePoints(CCorviData& d, int mode, int n) {
    if (n <= 0 || mode < RemoveEachEnd || mode > RemoveEnd)
        return 0;
    const int len = d.GetN();
    const int64_t newLen = len - (mode == RemoveEachEnd ? 2 * static_cast<int64_t>(n) : n);
    if (newLen < 0)
        return 0;
    const int first = mode == RemoveEnd ? 0 : n;
    KeepRange(*d.m_pI, first, static_cast<int>(newLen));
    KeepRange(*d.m_pQ, first, static_cast<int>(newLen));
    d.ResetRange();
    return n;
}

int TruncateBelow(CCorviData& d, int mode, double t) {
    const int len = d.GetN();
    if (mode == RemoveEnd) {
        for (int k = len - 1; k >= 0; --k)
            if (PointMagnitude(*d.m_pI, *d.m_pQ, k) > t)
                return RemovePoints(d, RemoveEnd, len - 1 - k);
        return 0;
    }
    for (int k = 0; k < len; ++k)
        if (PointMagnitude(*d.m_pI, *d.m_pQ, k) > t)
            return RemovePoints(d, mode, k);
    return 0;
}

int Truncate(CCorviData& d, int kind, int mode, double value) {
    value = std::fabs(value);
    switch (kind) {
    case TruncateQuantity: {
        const double count = std::trunc(value + 0.5);
        if (!(count > 0.0))
            return 0;
        return RemovePoints(d, mode, count >= INT_MAX ? INT_MAX : static_cast<int>(count));
    }
    case TruncateMagnitude:
        return TruncateBelow(d, mode, value);
    case TruncateBelowPeakDb:
        return TruncateBelow(d, mode, std::max(d.m_pI->Max(), d.m_pQ->Max()) * LevelToGain(-value));
    case TruncateBelowSumDb:
        return TruncateBelow(d, mode, std::max(d.m_pI->Sum(), d.m_pQ->Sum()) * LevelToGain(-value));
    default:
        return 0;
    }
}

void TrimTrailingZeros(CCorviData& d) {
    int len = d.GetN();
    while (len > 0 && (*d.m_pI)[len - 1] == 0.0 && (*d.m_pQ)[len - 1] == 0.0)
        --len;
    d.m_pI->SetSize(len);
    d.m_pQ->SetSize(len);
    d.ResetRange();
}

int TrimZeros(CCorviData& d) {
    const int len = d.GetN();
    int last = len;
    while (last > 0 && (*d.m_pI)[last - 1] == 0.0 && (*d.m_pQ)[last - 1] == 0.0)
        --last;
    int first = 0;
    while (first < last && (*d.m_pI)[first] == 0.0 && (*d.m_pQ)[first] == 0.0)
        ++first;
    KeepRange(*d.m_pI, first, last - first);
    KeepRange(*d.m_pQ, first, last - first);
    d.ResetRange();
    return len - (last - first);
}

bool SelectPhase(CCorviData& d, int start, int step, bool scaleValues, bool scaleFs) {
    if (step < 1 || start < 0 || start >= step)
        return false;
    const int len = d.GetN();
    int kept = 0;
    for (int k = start; k < len; k += step, ++kept) {
        (*d.m_pI)[kept] = (*d.m_pI)[k];
        (*d.m_pQ)[kept] = (*d.m_pQ)[k];
    }
    d.m_pI->SetSize(kept);
    d.m_pQ->SetSize(kept);
    d.ResetRange();
    if (scaleValues) {
        for (double& v : *d.m_pI)
            v *= step;
        if (!d.IsReal())
            for (double& v : *d.m_pQ)
                v *= step;
    }
    if (scaleFs) {
        CFs fs = d.m_Fs;
        fs.m_dValue /= step;
        fs.Normalize();
        d.ApplyFs(fs);
    }
    return true;
}

void Convolve(CCorviData& d, const CCorviData& other) {
    if (d.IsEmpty() || other.IsEmpty())
        return;
    const bool thisReal = d.IsReal();
    const bool otherReal = other.IsReal();
    // Copies of the inputs, so other may be this object.
    CDataColumn i, q, oi, oq;
    i.Copy(*d.m_pI);
    q.Copy(*d.m_pQ);
    oi.Copy(*other.m_pI);
    oq.Copy(*other.m_pQ);
    if (thisReal && otherReal) {
        d.m_pI->Convolve(i, oi);
        d.m_pQ->SetSize(0);
        d.EqualizeLengths(0.0);
    } else {
        d.m_bReal = 0;
        // (I + jQ) * (Io + jQo) = I*Io - Q*Qo + j (I*Qo + Q*Io); a real operand's Q terms drop.
        CDataColumn term;
        d.m_pI->Convolve(i, oi);
        if (!thisReal && !otherReal) {
            term.Convolve(q, oq);
            for (int k = 0; k < term.GetSize(); ++k)
                (*d.m_pI)[k] -= term[k];
        }
        d.m_pQ->SetSize(0);
        if (!otherReal)
            d.m_pQ->Convolve(i, oq);
        if (!thisReal) {
            term.Convolve(q, oi);
            if (d.m_pQ->IsEmpty())
                d.m_pQ->Copy(term);
            else
                for (int k = 0; k < term.GetSize(); ++k)
                    (*d.m_pQ)[k] += term[k];
        }
    }
    d.ResetRange();
    d.DetectReal();
}

void Integrate(CCorviData& d, const CCorviData& source) {
    CDataColumn i, q;
    i.RunningSum(*source.m_pI);
    q.RunningSum(*source.m_pQ);
    d.ApplyFs(source.m_Fs);
    d.m_bReal = source.m_bReal;
    d.m_pI->Copy(i);
    d.m_pQ->Copy(q);
    d.ResetRange();
}
