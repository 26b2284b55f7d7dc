#include "io/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>

std::string FormatFixed(double value, int width, int precision) {
    std::string text;
    if (std::isnan(value)) {
        text = std::signbit(value) ? "-nan" : "nan";
    } else if (std::isinf(value)) {
        text = value < 0 ? "-inf" : "inf";
    } else {
        // A double has at most 309 integer digits; the buffer holds them and the decimals.
        char buf[400 + 64];
        const int digits = precision < 0 ? 0 : (precision > 60 ? 60 : precision);
        const auto res =
            std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, digits);
        text.assign(buf, res.ptr);
    }
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
    return text;
}

void CNumberScanner::SkipSpace() {
    while (m_nPos < m_text.size() &&
           (m_text[m_nPos] == ' ' || (m_text[m_nPos] >= '\t' && m_text[m_nPos] <= '\r')))
        ++m_nPos;
}

bool CNumberScanner::ScanDouble(double& value) {
    SkipSpace();
    size_t pos = m_nPos;
    bool negative = false;
    if (pos < m_text.size() && (m_text[pos] == '+' || m_text[pos] == '-')) {
        negative = m_text[pos] == '-';
        ++pos;
    }
    if (pos >= m_text.size() || m_text[pos] == '+' || m_text[pos] == '-')
        return false;
    const char* first = m_text.data() + pos;
    const char* last = m_text.data() + m_text.size();
    double v = 0.0;
    const auto res = std::from_chars(first, last, v, std::chars_format::general);
    if (res.ptr == first)
        return false;
    if (res.ec == std::errc::result_out_of_range) {
        // Too large gives infinity, too small gives zero, as strtod does.
        bool negativeExponent = false;
        for (const char* p = first; p < res.ptr; ++p)
            if ((*p == 'e' || *p == 'E') && p + 1 < res.ptr && p[1] == '-')
                negativeExponent = true;
        v = negativeExponent ? 0.0 : std::numeric_limits<double>::infinity();
    }
    value = negative ? -v : v;
    m_nPos = static_cast<size_t>(res.ptr - m_text.data());
    return true;
}

namespace {
int DigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}
} // namespace

bool CNumberScanner::ScanInteger(uint64_t& value, int base) {
    SkipSpace();
    size_t pos = m_nPos;
    const size_t n = m_text.size();
    bool negative = false;
    if (pos < n && (m_text[pos] == '+' || m_text[pos] == '-')) {
        negative = m_text[pos] == '-';
        ++pos;
    }
    bool anyDigit = false;
    if ((base == 0 || base == 16) && pos < n && m_text[pos] == '0') {
        // "0x" needs a hexadecimal digit after it; otherwise the "0" alone is the number.
        if (pos + 2 < n && (m_text[pos + 1] == 'x' || m_text[pos + 1] == 'X') &&
            DigitValue(m_text[pos + 2]) < 16) {
            base = 16;
            pos += 2;
        } else if (base == 0) {
            base = 8;
            anyDigit = true;
            ++pos;
        }
    }
    if (base == 0)
        base = 10;
    uint64_t v = 0;
    while (pos < n && DigitValue(m_text[pos]) < base) {
        v = v * static_cast<uint64_t>(base) + static_cast<uint64_t>(DigitValue(m_text[pos]));
        anyDigit = true;
        ++pos;
    }
    if (!anyDigit)
        return false;
    value = negative ? (~v + 1) : v;
    m_nPos = pos;
    return true;
}

bool CLineReader::ReadLine(std::string& line) {
    line.clear();
    if (m_nPos >= m_nSize)
        return false;
    ++m_nLine;
    while (m_nPos < m_nSize) {
        const uint8_t c = m_pData[m_nPos++];
        if (c == '\n')
            break;
        if (c != '\r')
            line.push_back(static_cast<char>(c));
    }
    return true;
}
