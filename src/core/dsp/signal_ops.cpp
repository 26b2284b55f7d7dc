// In-place signal operations of CCorviData: windows, scaling, filling, generation, mixing, zero
// padding and stuffing, truncation, trimming, polyphase selection, convolution, integration.
#include "data/corvi_data.h"
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

void CCorviData::ApplyWindow(int code, double parameter, bool windowI, bool windowQ) {
    const int n = GetN();
    if (n == 0)
        return;
    if (IsReal())
        windowQ = false;
    const std::vector<double> w = ComputeWindow(code, parameter, n);
    for (int k = 0; k < n; ++k) {
        if (windowI)
            (*m_pI)[k] *= w[k];
        if (windowQ)
            (*m_pQ)[k] *= w[k];
    }
    m_nWindow = code;
}

bool CCorviData::Scale(bool scaleI, bool scaleQ, bool round, double factor) {
    const int n = GetN();
    if (n == 0)
        return true;
    if (factor == 0.0 && !(m_pHost && m_pHost->AskYesNo(SignalMsg::kScaleByZero, EAnswer::Yes)))
        return false;
    if (IsReal())
        scaleQ = false;
    auto finite = [&](const CDataColumn& c) {
        for (int k = 0; k < n; ++k)
            if (!std::isfinite(c[k] * factor))
                return false;
        return true;
    };
    if ((scaleI && !finite(*m_pI)) || (scaleQ && !finite(*m_pQ))) {
        if (m_pHost)
            m_pHost->Error(SignalMsg::kNotFinite);
        return false;
    }
    auto scale = [&](CDataColumn& c) {
        for (int k = 0; k < n; ++k) {
            const double v = c[k] * factor;
            c[k] = round ? RoundHalfAwayDouble(v) : v;
        }
    };
    if (scaleI)
        scale(*m_pI);
    if (scaleQ)
        scale(*m_pQ);
    return true;
}

void CCorviData::Fill(int count, bool fillI, bool fillQ, double value) {
    if (fillI)
        FillColumn(*m_pI, count, value);
    if (IsReal())
        m_pQ->SetSize(0);
    if (fillQ)
        FillColumn(*m_pQ, count, value);
    EqualizeLengths(0.0);
    m_nWindow = -1;
}

// A cosine and sine oscillator by phase accumulation, the phase wrapped into [0, 2 pi) once
// per step.
bool CCorviData::Generate(int count, bool genI, bool genQ, double frequency, double phaseDegrees) {
    const double step = kTwoPi * frequency / m_dFs;
    if (count > 0 && !std::isfinite(step))
        return false;
    const int n = std::max(count, 0);
    if (genI) {
        m_pI->SetSize(0);
        m_pI->SetSize(n);
    }
    if (genQ) {
        m_pQ->SetSize(0);
        m_pQ->SetSize(n);
    }
    double phi = kTwoPi * phaseDegrees / 360.0;
    for (int k = 0; k < n; ++k) {
        if (genI)
            (*m_pI)[k] = std::cos(phi);
        if (genQ) {
            double s = phi - kPi / 2.0;
            if (s < 0.0)
                s += kTwoPi;
            (*m_pQ)[k] = std::cos(s);
        }
        phi += step;
        if (phi > kTwoPi)
            phi -= kTwoPi;
    }
    EqualizeLengths(0.0);
    m_nWindow = -1;
    if (genQ)
        m_bReal = 0;
    return true;
}

bool CCorviData::GenerateCycles(int count, bool genI, bool genQ, double cycles,
                                double phaseDegrees) {
    const double frequency = count > 0 ? m_dFs * cycles / count : 0.0;
    return Generate(count, genI, genQ, frequency, phaseDegrees);
}

bool CCorviData::Mix(double frequency, double phase) {
    const int n = GetN();
    if (n == 0)
        return true;
    const double step = kTwoPi * frequency / m_dFs;
    if (!std::isfinite(step) || !std::isfinite(phase))
        return false;
    double phi = phase;
    for (int k = 0; k < n; ++k) {
        const double c = std::cos(phi);
        const double s = std::sin(phi);
        const double i = (*m_pI)[k];
        const double q = (*m_pQ)[k];
        (*m_pI)[k] = i * c - q * s;
        (*m_pQ)[k] = i * s + q * c;
        phi += step;
        if (phi > kPi)
            phi -= kTwoPi;
        else if (phi < -kPi)
            phi += kTwoPi;
    }
    DetectReal();
    return true;
}

void CCorviData::AppendZeros(int n) {
    if (n <= 0)
        return;
    const int len = GetN();
    m_pI->SetSize(len + n);
    m_pQ->SetSize(len + n);
    std::fill(m_pI->begin() + len, m_pI->end(), 0.0);
    std::fill(m_pQ->begin() + len, m_pQ->end(), 0.0);
    ResetRange();
}

void CCorviData::PrependZeros(int n) {
    if (n <= 0)
        return;
    const int len = GetN();
    for (CDataColumn* c : {m_pI, m_pQ}) {
        c->SetSize(len + n);
        std::copy_backward(c->begin(), c->begin() + len, c->end());
        std::fill(c->begin(), c->begin() + n, 0.0);
    }
    ResetRange();
}

void CCorviData::StuffZeros(int n, bool scaleFs) {
    const int len = GetN();
    if (n <= 0 || len == 0)
        return;
    const int64_t stride = static_cast<int64_t>(n) + 1;
    const int64_t newLen = (len - 1) * stride + 1;
    if (newLen > INT_MAX)
        return;
    for (CDataColumn* c : {m_pI, m_pQ}) {
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
    ResetRange();
    if (scaleFs)
        ScaleFs(static_cast<double>(stride));
}

int CCorviData::RemovePoints(int mode, int n) {
    if (n <= 0 || mode < RemoveEachEnd || mode > RemoveEnd)
        return 0;
    const int len = GetN();
    const int64_t newLen = len - (mode == RemoveEachEnd ? 2 * static_cast<int64_t>(n) : n);
    if (newLen < 0)
        return 0;
    const int first = mode == RemoveEnd ? 0 : n;
    KeepRange(*m_pI, first, static_cast<int>(newLen));
    KeepRange(*m_pQ, first, static_cast<int>(newLen));
    ResetRange();
    return n;
}

int CCorviData::TruncateBelow(int mode, double t) {
    const int len = GetN();
    if (mode == RemoveEnd) {
        for (int k = len - 1; k >= 0; --k)
            if (PointMagnitude(*m_pI, *m_pQ, k) > t)
                return RemovePoints(RemoveEnd, len - 1 - k);
        return 0;
    }
    for (int k = 0; k < len; ++k)
        if (PointMagnitude(*m_pI, *m_pQ, k) > t)
            return RemovePoints(mode, k);
    return 0;
}

int CCorviData::Truncate(int kind, int mode, double value) {
    value = std::fabs(value);
    switch (kind) {
    case TruncateQuantity: {
        const double count = std::trunc(value + 0.5);
        if (!(count > 0.0))
            return 0;
        return RemovePoints(mode, count >= INT_MAX ? INT_MAX : static_cast<int>(count));
    }
    case TruncateMagnitude:
        return TruncateBelow(mode, value);
    case TruncateBelowPeakDb:
        return TruncateBelow(mode, std::max(m_pI->Max(), m_pQ->Max()) * LevelToGain(-value));
    case TruncateBelowSumDb:
        return TruncateBelow(mode, std::max(m_pI->Sum(), m_pQ->Sum()) * LevelToGain(-value));
    default:
        return 0;
    }
}

void CCorviData::TrimTrailingZeros() {
    int len = GetN();
    while (len > 0 && (*m_pI)[len - 1] == 0.0 && (*m_pQ)[len - 1] == 0.0)
        --len;
    m_pI->SetSize(len);
    m_pQ->SetSize(len);
    ResetRange();
}

int CCorviData::TrimZeros() {
    const int len = GetN();
    int last = len;
    while (last > 0 && (*m_pI)[last - 1] == 0.0 && (*m_pQ)[last - 1] == 0.0)
        --last;
    int first = 0;
    while (first < last && (*m_pI)[first] == 0.0 && (*m_pQ)[first] == 0.0)
        ++first;
    KeepRange(*m_pI, first, last - first);
    KeepRange(*m_pQ, first, last - first);
    ResetRange();
    return len - (last - first);
}

bool CCorviData::SelectPhase(int start, int step, bool scaleValues, bool scaleFs) {
    if (step < 1 || start < 0 || start >= step)
        return false;
    const int len = GetN();
    int kept = 0;
    for (int k = start; k < len; k += step, ++kept) {
        (*m_pI)[kept] = (*m_pI)[k];
        (*m_pQ)[kept] = (*m_pQ)[k];
    }
    m_pI->SetSize(kept);
    m_pQ->SetSize(kept);
    ResetRange();
    if (scaleValues) {
        for (double& v : *m_pI)
            v *= step;
        if (!IsReal())
            for (double& v : *m_pQ)
                v *= step;
    }
    if (scaleFs) {
        CFs fs = m_Fs;
        fs.m_dValue /= step;
        fs.Normalize();
        ApplyFs(fs);
    }
    return true;
}

void CCorviData::Convolve(const CCorviData& other) {
    if (IsEmpty() || other.IsEmpty())
        return;
    const bool thisReal = IsReal();
    const bool otherReal = other.IsReal();
    // Copies of the inputs, so other may be this object.
    CDataColumn i, q, oi, oq;
    i.Copy(*m_pI);
    q.Copy(*m_pQ);
    oi.Copy(*other.m_pI);
    oq.Copy(*other.m_pQ);
    if (thisReal && otherReal) {
        m_pI->Convolve(i, oi);
        m_pQ->SetSize(0);
        EqualizeLengths(0.0);
    } else {
        m_bReal = 0;
        // (I + jQ) * (Io + jQo) = I*Io - Q*Qo + j (I*Qo + Q*Io); a real operand's Q terms drop.
        CDataColumn term;
        m_pI->Convolve(i, oi);
        if (!thisReal && !otherReal) {
            term.Convolve(q, oq);
            for (int k = 0; k < term.GetSize(); ++k)
                (*m_pI)[k] -= term[k];
        }
        m_pQ->SetSize(0);
        if (!otherReal)
            m_pQ->Convolve(i, oq);
        if (!thisReal) {
            term.Convolve(q, oi);
            if (m_pQ->IsEmpty())
                m_pQ->Copy(term);
            else
                for (int k = 0; k < term.GetSize(); ++k)
                    (*m_pQ)[k] += term[k];
        }
    }
    ResetRange();
    DetectReal();
}

void CCorviData::Integrate(const CCorviData& source) {
    CDataColumn i, q;
    i.RunningSum(*source.m_pI);
    q.RunningSum(*source.m_pQ);
    ApplyFs(source.m_Fs);
    m_bReal = source.m_bReal;
    m_pI->Copy(i);
    m_pQ->Copy(q);
    ResetRange();
}
