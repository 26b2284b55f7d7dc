#pragma once

#include "fixed/fixed_word.h" // RoundToInt64

#include <cstddef>
#include <cstdint>
#include <string>

// Number to text and text to number for data files, independent of the process locale: the
// files always use "." as the decimal point.

// value as printf's "%<width>.<precision>f" prints it in the C locale.
std::string FormatFixed(double value, int width, int precision);

// Scans numbers from one line of text the way scanf's conversions do: white space before a
// number is skipped, the longest number prefix is taken, a failed conversion leaves the
// position where it was.
class CNumberScanner {
public:
    explicit CNumberScanner(const std::string& text) : m_text(text) {}

    // "%lf": a decimal or exponent floating-point number, "inf" or "nan".
    bool ScanDouble(double& value);
    // "%i" (base 0: "0x" hexadecimal, leading "0" octal, else decimal) and "%x" (base 16,
    // optional "0x"). The value wraps modulo 2^64 like the unsigned conversions do.
    bool ScanInteger(uint64_t& value, int base);

private:
    void SkipSpace();
    const std::string& m_text;
    size_t m_nPos = 0;
    int m_nLine = 0;
};

// Reads a byte buffer line by line: bytes up to a line feed, carriage returns dropped.
class CLineReader {
public:
    CLineReader(const uint8_t* data, size_t size) : m_pData(data), m_nSize(size) {}
    // False at the end of the buffer; a last line without a line feed is still a line.
    bool ReadLine(std::string& line);
    void Rewind() {
        m_nPos = 0;
        m_nLine = 0;
    }
    // The 1-based number of the line read last (0 before the first).
    int LineNumber() const { return m_nLine; }

private:
    const uint8_t* m_pData;
    size_t m_nSize;
    size_t m_nPos = 0;
    int m_nLine = 0;
};
