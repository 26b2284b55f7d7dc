#include "data/sampling_frequency.h"

#include "support/format_number.h"

#include <algorithm>
#include <cctype>

namespace {

struct UnitRow {
    const char* freqName;
    const char* timeName;
    double multiplier;
};

constexpr UnitRow kUnits[CFs::kUnitCount] = {
    {"Hz", "sec", 1.0},
    {"kHz", "ms", 1000.0},
    {"MHz", "us", 1000000.0},
    {"GHz", "ns", 1000000000.0},
};

int ClampUnit(int unit) {
    return std::clamp(unit, 0, CFs::kUnitCount - 1);
}

std::string ToLower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

const char* CFs::GetFreqUnitName(int unit) {
    return kUnits[ClampUnit(unit)].freqName;
}

const char* CFs::GetTimeUnitName(int unit) {
    return kUnits[ClampUnit(unit)].timeName;
}

double CFs::GetUnitMultiplier(int unit) {
    return kUnits[ClampUnit(unit)].multiplier;
}

std::string CFs::GetUnitString(int unit) {
    return std::string(GetFreqUnitName(unit)) + "," + GetTimeUnitName(unit);
}

double CFs::GetValue(double* pMultiplier) const {
    if (pMultiplier)
        *pMultiplier = GetMultiplier();
    return m_dValue;
}

void CFs::SetHz(double hz) {
    m_dValue = hz;
    m_nUnit = 0;
}

void CFs::SetKHz(double khz) {
    m_dValue = khz;
    m_nUnit = 1;
}

void CFs::Normalize() {
    m_nUnit = ClampUnit(m_nUnit);
    while (m_dValue < 0.001 && m_nUnit > 0) {
        --m_nUnit;
        m_dValue *= 1000.0;
    }
    while (m_dValue > 1000.0 && m_nUnit < kUnitCount - 1) {
        ++m_nUnit;
        m_dValue *= 0.001;
    }
}

bool CFs::ParseUnitString(const std::string& text) {
    const std::string name = ToLower(text.substr(0, text.find(',')));
    for (int unit = 0; unit < kUnitCount; ++unit) {
        if (name == ToLower(kUnits[unit].freqName)) {
            m_nUnit = unit;
            return true;
        }
    }
    m_nUnit = 0;
    return false;
}

std::string CFs::GetFreqUnitLabel(int& p) const {
    int unit = ClampUnit(m_nUnit);
    int n = p / 3;
    while (n > 0 && unit < kUnitCount - 1) {
        ++unit;
        --n;
    }
    while (n < 0 && unit > 0) {
        --unit;
        ++n;
    }
    p = 3 * n;
    return kUnits[unit].freqName;
}

std::string CFs::GetTimeUnitLabel(int& p) const {
    int unit = ClampUnit(m_nUnit);
    int n = p / 3;
    while (n > 0 && unit > 0) {
        --unit;
        --n;
    }
    while (n < 0 && unit < kUnitCount - 1) {
        ++unit;
        ++n;
    }
    p = 3 * n;
    return kUnits[unit].timeName;
}

std::string CFs::GetFsText() const {
    // Six decimals with the trailing zeros (and a bare point) removed, as axis labels are.
    std::string text = StrPrintf("%0.6f", m_dValue);
    const size_t point = text.find('.');
    if (point != std::string::npos) {
        size_t end = text.find_last_not_of('0');
        if (end == point)
            --end;
        text.erase(end + 1);
    }
    return text + " " + GetFreqUnitName();
}
