#include "forms/band_table.h"

#include "design/fir_data.h"
#include "forms/form_messages.h"
#include "support/format_number.h"
#include "support/host.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace {

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return "";
    const size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// The number reader of the forms: what "%lf" takes from the text, 0 for text without digits.
double ReadNumber(const std::string& text) {
    double value = 0.0;
    if (std::sscanf(text.c_str(), "%lf", &value) != 1)
        return 0.0;
    return value;
}

// Trailing zeros removed down to keepDecimals places; the point goes too when none are kept.
std::string StripZeros(std::string text, size_t keepDecimals) {
    const size_t point = text.find('.');
    if (point == std::string::npos)
        return text;
    size_t end = text.size();
    while (end > point + 1 + keepDecimals && text[end - 1] == '0')
        --end;
    if (end == point + 1)
        --end;
    return text.substr(0, end);
}

} // namespace

std::string CBandTable::FormatValue(double value) {
    const std::string text = Trim(StripZeros(StrPrintf("%12.6lf", value), 0));
    return std::string(text.size() < 12 ? 12 - text.size() : 0, ' ') + text;
}

std::string CBandTable::FormatActual(double value) {
    return StripZeros(StrPrintf("%7.3lf", value), 1);
}

std::string CBandTable::FormatNumber(int number) {
    return StrPrintf("%2d", number);
}

double CBandTable::ParseDesired(const std::string& text, bool desiredInDb) {
    std::string t = Trim(text);
    std::transform(t.begin(), t.end(), t.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (!t.empty() && t[0] == 'p')
        return desiredInDb ? 0.0 : 1.0;
    if (!t.empty() && t[0] == 's')
        return desiredInDb ? -1000.0 : 0.0;
    return ReadNumber(t);
}

CBandTable::EEntry CBandTable::ClassifyEntry(const std::string& lower, const std::string& upper,
                                             const std::string& attn) {
    const bool l = !Trim(lower).empty(), u = !Trim(upper).empty(), a = !Trim(attn).empty();
    if (!l && !u && !a)
        return EEntry::Empty;
    return l && u && a ? EEntry::Complete : EEntry::Partial;
}

bool CBandTable::ResolveEntry(const std::string& desiredText, double& attn, double& desired,
                              bool desiredInDb, bool attnInDb, const SBandEditorPrefs& prefs,
                              CHost& host) {
    if (attn == 0.0) {
        host.Error(kMsgAttnRippleZero);
        return false;
    }
    const double passband = desiredInDb ? 0.0 : 1.0;
    const double stopband = desiredInDb ? -1000.0 : 0.0;
    if (!Trim(desiredText).empty()) {
        desired = ParseDesired(desiredText, desiredInDb);
    } else if (attn < 0.0) {
        desired = stopband;
    } else if (!prefs.m_bSelectPassStop || !attnInDb) {
        // Without a dB threshold to compare with, an inferred band is a passband.
        desired = passband;
    } else {
        desired = attn <= prefs.m_dMaxPassDb ? passband : stopband;
    }
    attn = std::abs(attn);
    return true;
}

std::string CBandTable::DesiredText(double desired, bool desiredInDb,
                                    const SBandEditorPrefs& prefs) {
    if (desiredInDb && desired <= -1000.0)
        return kStopbandText;
    if (prefs.m_bShowPassStop) {
        if (desiredInDb && desired == 0.0)
            return kPassbandText;
        if (!desiredInDb && desired == 1.0)
            return kPassbandText;
        if (!desiredInDb && desired == 0.0)
            return kStopbandText;
    }
    return FormatValue(desired);
}

int CBandTable::InsertBand(double lower, double upper, double desired, double attn,
                           bool desiredInDb, const SBandEditorPrefs& prefs, CHost& host) {
    attn = std::abs(attn);
    size_t i = 0;
    while (i < m_rows.size()) {
        const double lo = ReadNumber(m_rows[i].lower);
        const double hi = ReadNumber(m_rows[i].upper);
        if (hi == lower || lo == upper) {
            host.Error(kMsgBandTouches);
            return -1;
        }
        const bool overlaps = (lo <= lower && lower <= hi) || (lo <= upper && upper <= hi) ||
                              (lower <= lo && hi <= upper);
        if (overlaps) {
            m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        if (lo > upper)
            break;
        ++i;
    }
    Row row{FormatValue(lower), FormatValue(upper), DesiredText(desired, desiredInDb, prefs),
            FormatValue(attn), " "};
    m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(i), row);
    return static_cast<int>(i);
}

void CBandTable::DeleteBand(int row) {
    if (row >= 0 && row < RowCount())
        m_rows.erase(m_rows.begin() + row);
}

int CBandTable::StoreToFilter(CFirData& filter, int responseType, int gridDensity, int taps,
                              bool desiredInDb, bool attnInDb) const {
    CHost* host = filter.GetHost();
    const double limit = filter.GetFs() * 0.5 * 1.000001;
    filter.ResetSpec(responseType, gridDensity, taps);
    for (int i = 0; i < RowCount(); ++i) {
        const Row& r = m_rows[static_cast<size_t>(i)];
        const double f = ReadNumber(r.lower), g = ReadNumber(r.upper);
        const char* refusal = f > limit   ? kMsgLowerAboveNyquist
                              : g > limit ? kMsgUpperAboveNyquist
                              : f >= g    ? kMsgLowerNotBelowUpper
                                          : nullptr;
        if (refusal) {
            if (host)
                host->Error(refusal);
            return i;
        }
        const double neutralWeight = attnInDb ? 0.0 : 1.0;
        if (!filter.AddBand(attnInDb, true, f, g, ParseDesired(r.desired, desiredInDb),
                            ReadNumber(r.attn), neutralWeight, desiredInDb))
            return i;
    }
    return -1;
}

void CBandTable::LoadFromFilter(CFirData& filter, bool desiredInDb, bool attnInDb,
                                const SBandEditorPrefs& prefs) {
    m_rows.clear();
    const double fs = filter.GetFs();
    const bool actuals = filter.HasCoefficients();
    for (int i = 0; i < filter.GetNumBands(); ++i) {
        Row row{FormatValue(fs * filter.Band(i).lower), FormatValue(fs * filter.Band(i).upper),
                DesiredText(filter.GetBandGain(i, desiredInDb), desiredInDb, prefs),
                FormatValue(filter.GetBandAttn(i, attnInDb)),
                actuals ? FormatActual(filter.GetBandActual(i)) : " "};
        m_rows.push_back(row);
    }
}

std::string CBandTable::ResultText(CFirData& filter) {
    if (!filter.HasCoefficients() || filter.GetNumBands() == 0)
        return "";
    return filter.GetMargin() >= 0.0 ? kPassText : kFailText;
}
