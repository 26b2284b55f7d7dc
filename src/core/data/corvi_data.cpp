#include "data/corvi_data.h"

#include "support/archive.h"
#include "support/format_number.h"
#include "support/host.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

CCorviData::CCorviData(CHost* pHost) : m_pHost(pHost) {
    RemoveAll();
    ApplyFs(m_Fs);
    ResetRange();
}

void CCorviData::BindColumns() {
    while (m_Columns.GetColumnCount() < 2)
        m_Columns.AddColumn();
    m_pI = m_Columns.GetColumn(0);
    m_pQ = m_Columns.GetColumn(1);
}

bool CCorviData::IsEmpty() const {
    return GetN() == 0;
}

void CCorviData::RemoveAll() {
    m_Columns.RemoveAll();
    m_pI = m_Columns.AddColumn();
    m_pQ = m_Columns.AddColumn();
    m_nWindow = -1;
    m_bReal = 1;
    m_nFirst = 0;
    m_nLast = 0;
    m_nPoints = 0;
    m_nHalf = 0;
}

int CCorviData::RemapWindowCode(int code, int nVersion) {
    if (code < 0)
        return -1;
    if (nVersion <= 9) {
        static constexpr int kMap[] = {0, 3, 5, 6, 7};
        return code < 5 ? kMap[code] : 3;
    }
    if (nVersion <= 12) {
        static constexpr int kMap[] = {0, 1, 2, 3, 5, 6, 7};
        return code < 7 ? kMap[code] : 3;
    }
    return code;
}

void CCorviData::Serialize(CArchiveWriter& ar, int nVersion) const {
    ar.WriteString(m_strName);
    m_Columns.Serialize(ar);
    m_File.Serialize(ar, nVersion);
    ar.WriteInt32(m_bTime);
    ar.WriteInt32(m_bReal);
    ar.WriteDouble(m_dFs);
    ar.WriteDouble(m_dNyquist);
    ar.WriteDouble(m_dDelta);
    ar.WriteInt16(static_cast<int16_t>(m_nWindow));
    ar.WriteInt32(m_nFirst);
    ar.WriteInt32(m_nLast);
    ar.WriteInt32(m_nPoints);
    ar.WriteInt32(m_nHalf);
    ar.WriteString(m_Fs.GetUnitString());
}

void CCorviData::Serialize(CArchiveReader& ar, int nVersion) {
    // Everything is read into a scratch signal first, so a short stream changes nothing here.
    CCorviData in;
    in.m_strName = ar.ReadString();
    in.m_Columns.Serialize(ar);
    in.m_File = m_File;
    in.m_File.Serialize(ar, nVersion);
    in.m_bTime = ar.ReadInt32();
    in.m_bReal = ar.ReadInt32();
    in.m_dFs = ar.ReadDouble();
    in.m_Fs.m_dValue = in.m_dFs;
    in.m_dNyquist = ar.ReadDouble();
    in.m_dDelta = ar.ReadDouble();
    in.m_nWindow = RemapWindowCode(ar.ReadInt16(), nVersion);
    in.m_nFirst = ar.ReadInt32();
    in.m_nLast = ar.ReadInt32();
    in.m_nPoints = ar.ReadInt32();
    in.m_nHalf = ar.ReadInt32();
    in.m_Fs.ParseUnitString(ar.ReadString());

    m_strName.swap(in.m_strName);
    m_Columns.Swap(in.m_Columns);
    BindColumns();
    std::swap(m_File, in.m_File);
    m_bTime = in.m_bTime;
    m_bReal = in.m_bReal;
    m_dFs = in.m_dFs;
    m_dNyquist = in.m_dNyquist;
    m_dDelta = in.m_dDelta;
    m_nWindow = in.m_nWindow;
    m_nFirst = in.m_nFirst;
    m_nLast = in.m_nLast;
    m_nPoints = in.m_nPoints;
    m_nHalf = in.m_nHalf;
    m_Fs = in.m_Fs;
}

void CCorviData::ResetRange() {
    const int n = m_pI->GetSize();
    m_nPoints = n;
    m_nHalf = n / 2;
    if (m_bTime) {
        m_nFirst = 0;
        m_nLast = n - 1;
    } else {
        m_nLast = n / 2 - 1;
        m_nFirst = m_bReal ? 0 : -(n / 2);
    }
    if (m_nLast < 0)
        m_nLast = 0;
}

bool CCorviData::SetRange(int first, int last, bool strict) {
    const int n = GetN();
    if (m_bTime && (first < 0 || last < 0))
        return false;
    if (last < 0)
        last += n;
    if (last < first) {
        if (strict)
            return false;
        first = 0;
    }
    if (last >= n) {
        if (strict)
            return false;
        last = n - 1;
    }
    if (m_nMinSpan >= n) {
        m_nFirst = 0;
        m_nLast = std::max(n - 1, 0);
        return true;
    }
    if (last - first <= m_nMinSpan)
        return false;
    m_nFirst = first;
    m_nLast = last;
    return true;
}

bool CCorviData::SetRangeX(double x1, double x2, bool strict) {
    return SetRange(XToIndex(x1), XToIndex(x2), strict);
}

void CCorviData::GetRangeX(double& x1, double& x2) const {
    x1 = IndexToX(m_nFirst);
    x2 = IndexToX(m_nLast);
}

void CCorviData::ApplyFs(const CFs& fs) {
    const double value = fs.m_dValue;
    m_Fs = fs;
    m_dFs = value;
    m_dNyquist = value / 2.0;
    if (m_bTime)
        m_dDelta = value != 0.0 ? 1.0 / value : 0.0;
    else
        m_dDelta = m_nPoints > 0 ? value / m_nPoints : 0.0;
}

void CCorviData::ScaleFs(double factor) {
    CFs fs = m_Fs;
    fs.m_dValue *= factor;
    ApplyFs(fs);
}

bool CCorviData::EqualizeLengths(double fill) {
    const bool hadQ = m_pQ->GetSize() > 0;
    CDataColumn* shorter = m_pI->GetSize() < m_pQ->GetSize() ? m_pI : m_pQ;
    const int from = shorter->GetSize();
    shorter->SetSize(std::max(m_pI->GetSize(), m_pQ->GetSize()));
    std::fill(shorter->begin() + from, shorter->end(), fill);
    if (hadQ)
        DetectReal();
    else
        m_bReal = 1;
    ResetRange();
    return m_bReal != 0;
}

bool CCorviData::DetectReal() {
    if (!m_bTime)
        return m_bReal != 0;
    const double r = (m_pI->Max() - m_pI->Min()) * 1e-6;
    const double minQ = m_pQ->Min();
    const double maxQ = m_pQ->Max();
    const bool real = r >= maxQ - minQ && r >= std::fabs(minQ) && r >= std::fabs(maxQ);
    if (real && std::fabs(minQ) != 0.0 && std::fabs(maxQ) != 0.0)
        m_pQ->Zero();
    m_bReal = real ? 1 : 0;
    return real;
}

void CCorviData::Copy(const CCorviData& src, int count) {
    count = std::clamp(count, 0, src.GetN());
    // Taken before RemoveAll so that src may be this signal.
    const std::vector<double> valuesI(src.m_pI->begin(), src.m_pI->begin() + count);
    const std::vector<double> valuesQ(src.m_pQ->begin(), src.m_pQ->begin() + count);
    const int bTime = src.m_bTime;
    const int bReal = src.m_bReal;
    const double nyquist = src.m_dNyquist;
    const double delta = src.m_dDelta;
    const int window = src.m_nWindow;
    const float dbFloor = src.m_fDbFloor;
    const double dbOffset = src.m_dDbOffset;
    const std::string units = src.m_strUnits;
    const int quantized = src.m_bQuantized;
    const CFs fs = src.m_Fs;

    RemoveAll();
    m_bTime = bTime;
    m_bReal = bReal;
    m_dNyquist = nyquist;
    m_dDelta = delta;
    m_nWindow = window;
    m_fDbFloor = dbFloor;
    m_dDbOffset = dbOffset;
    m_strUnits = units;
    m_bQuantized = quantized;
    m_Fs = fs;
    m_pI->SetSize(count);
    m_pQ->SetSize(count);
    std::copy(valuesI.begin(), valuesI.end(), m_pI->begin());
    std::copy(valuesQ.begin(), valuesQ.end(), m_pQ->begin());
    ResetRange();
}

void CCorviData::LoadComplex(std::span<const std::complex<double>> values) {
    RemoveAll();
    const int n = static_cast<int>(values.size());
    m_pI->SetSize(n);
    m_pQ->SetSize(n);
    for (int k = 0; k < n; ++k) {
        (*m_pI)[k] = values[static_cast<size_t>(k)].real();
        (*m_pQ)[k] = values[static_cast<size_t>(k)].imag();
    }
    ResetRange();
    DetectReal();
}

double CCorviData::ToDb(double power, bool clamp) const {
    constexpr float kPowerFloor = 1e-30f;
    double db = 10.0 * std::log10(std::max(power, static_cast<double>(kPowerFloor))) + m_dDbOffset;
    if (clamp && db < m_fDbFloor)
        db = m_fDbFloor;
    return db;
}

int CCorviData::MapIndex(int index) const {
    if (index >= 0)
        return index;
    return m_bTime ? 0 : index + GetN();
}

double CCorviData::GetQuantity(int index, int kind) const {
    const int i = MapIndex(index);
    if (i < 0 || i >= GetN())
        return 0.0;
    const double re = (*m_pI)[i];
    const double im = (*m_pQ)[i];
    switch (kind) {
    case Inphase:
        return re;
    case Quadrature:
        return im;
    case Power:
        return re * re + im * im;
    case Phase:
        return re == 0.0 && im == 0.0 ? 0.0 : std::atan2(im, re) * 180.0 / std::numbers::pi;
    case Magnitude:
        return std::sqrt(re * re + im * im);
    default:
        return 0.0;
    }
}

void CCorviData::GetQuantityRange(int kind, double& min, double& max) const {
    min = max = GetQuantity(m_nFirst, kind);
    for (int i = m_nFirst + 1; i <= m_nLast; ++i) {
        const double v = GetQuantity(i, kind);
        min = std::min(min, v);
        max = std::max(max, v);
    }
}

double CCorviData::IndexToX(int i) const {
    if (m_bTime)
        return std::max(i, 0) * m_dDelta;
    const int n = GetN();
    if (m_nFirst < 0 && i > n / 2)
        return (i - n) * m_dDelta;
    return i * m_dDelta;
}

int CCorviData::XToIndex(double x) const {
    const int n = GetN();
    if (n == 0 || m_dDelta == 0.0 || !std::isfinite(x))
        return 0;
    const double lo = m_bTime ? 0.0 : -(n / 2) * m_dDelta;
    const double hi = m_bTime ? (n - 1) * m_dDelta : (n / 2 - 1) * m_dDelta;
    if (x > hi)
        x = hi;
    if (x < lo)
        x = lo;
    int i = static_cast<int>(RoundHalfAway(x / m_dDelta));
    if (!m_bTime && i > n / 2)
        i -= n;
    if (i >= n)
        i = n - 1;
    return i;
}

std::string CCorviData::GetXUnitLabel(int& p) const {
    return m_bTime ? m_Fs.GetTimeUnitLabel(p) : m_Fs.GetFreqUnitLabel(p);
}

std::string CCorviData::GetClipboardText() const {
    const int n = GetN();
    if (m_nFirst < 0 || m_nLast <= m_nFirst || m_nLast >= n)
        return std::string();
    std::string text;
    for (int i = m_nFirst; i <= m_nLast; ++i) {
        if (m_bReal)
            text += StrPrintf("%12.9lf", (*m_pI)[i]);
        else
            text += StrPrintf("%12.9lf\t%12.9lf", (*m_pI)[i], (*m_pQ)[i]);
        text += "\r\n";
    }
    return text;
}

void CCorviData::CopyToClipboard() {
    const std::string text = GetClipboardText();
    if (!text.empty() && m_pHost)
        m_pHost->SetClipboardText(text);
}
