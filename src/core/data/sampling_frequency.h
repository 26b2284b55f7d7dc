#pragma once

#include <string>

// A sampling frequency counted in one of four units (Hz/sec, kHz/ms, MHz/us, GHz/ns).
class CFs {
public:
    static constexpr int kUnitCount = 4;

    CFs() = default;
    // value in the given unit (0 Hz, 1 kHz, 2 MHz, 3 GHz).
    CFs(double value, int unit) : m_dValue(value), m_nUnit(unit) {}

    // The value in the current unit; *pMultiplier receives the unit's factor to Hz when asked.
    double GetValue(double* pMultiplier = nullptr) const;
    // The unit's factor to Hz (1, 1e3, 1e6, 1e9).
    double GetMultiplier() const { return GetUnitMultiplier(m_nUnit); }
    // The frequency in Hz.
    double GetHz() const { return m_dValue * GetMultiplier(); }
    // Sets value Hz with unit Hz.
    void SetHz(double hz);
    // Sets value kHz with unit kHz.
    void SetKHz(double khz);

    // Moves the value into a unit where it lies within 0.001..1000, keeping the frequency.
    void Normalize();

    // "kHz,ms" style: frequency name, comma, time name of the current unit.
    std::string GetUnitString() const { return GetUnitString(m_nUnit); }
    // Takes the text before the first comma, compares it case-blind with the frequency names and
    // sets the unit; no match sets unit 0 and returns false.
    bool ParseUnitString(const std::string& text);

    std::string GetFreqUnitName() const { return GetFreqUnitName(m_nUnit); }
    std::string GetTimeUnitName() const { return GetTimeUnitName(m_nUnit); }
    // The frequency unit that absorbs as much as possible of the power of ten p (a multiple of
    // 3); p is left with the part no unit could take.
    std::string GetFreqUnitLabel(int& p) const;
    // The same for the time unit of the reciprocal: a larger value moves towards "sec".
    std::string GetTimeUnitLabel(int& p) const;
    // The value, a space and the frequency name ("44.1 kHz").
    std::string GetFsText() const;

    bool operator==(const CFs& other) const = default;

    static const char* GetFreqUnitName(int unit);
    static const char* GetTimeUnitName(int unit);
    static double GetUnitMultiplier(int unit);
    static std::string GetUnitString(int unit);

    double m_dValue = 1.0;
    int m_nUnit = 0;
};
