#pragma once

#include "data/data_file_state.h"
#include "data/data_set.h"
#include "data/sampling_frequency.h"

#include <algorithm>
#include <complex>
#include <span>
#include <string>

// A complex signal: a name, inphase column I and quadrature column Q of equal length (and any
// further columns a file brought), its sampling frequency, whether it holds time samples or
// frequency bins, whether it is real, the index range shown in plots and the state its files
// are read and written with. Messages and the clipboard go through the host given at
// construction or by SetHost (none: clipboard copies are dropped).
class CCorviData {
public:
    // What GetQuantity reads at an index.
    enum EQuantity { Inphase = 0, Quadrature = 1, Power = 2, Phase = 3, Magnitude = 4 };

    explicit CCorviData(CHost* pHost = nullptr);
    virtual ~CCorviData() = default;
    CCorviData(const CCorviData&) = delete;
    CCorviData& operator=(const CCorviData&) = delete;

    // Name, columns and file state, then domain, real flag, Fs, window code, display range and
    // the Fs unit string.
    virtual void Serialize(CArchiveWriter& ar, int nVersion) const;
    // Window codes of older streams are remapped by nVersion. On a short stream throws
    // CArchiveException and leaves the signal unchanged.
    virtual void Serialize(CArchiveReader& ar, int nVersion);
    // N = 0.
    virtual bool IsEmpty() const;
    // Deletes all columns and creates I and Q empty; no window, real, range and counts 0.
    virtual void RemoveAll();

    // The columns: I and Q first. Columns may be added; RemoveAll, not the set's, empties them.
    CDataSet& Columns() { return m_Columns; }
    const CDataSet& Columns() const { return m_Columns; }
    CHost* GetHost() const { return m_pHost; }
    void SetHost(CHost* pHost) { m_pHost = pHost; }

    virtual bool IsReal() const { return m_bReal != 0; }
    // The Fs value in its unit; *pMultiplier receives the unit's factor to Hz when asked.
    virtual double GetFs(double* pMultiplier = nullptr) const { return m_Fs.GetValue(pMultiplier); }
    // x (time in the time unit of Fs, or frequency in its unit) of an index.
    virtual double IndexToX(int i) const;
    // Index of an x value, clamped into the data.
    virtual int XToIndex(double x) const;
    // Multiplies the Fs value by factor and applies it.
    virtual void ScaleFs(double factor);
    // Puts the display range as text on the host's clipboard (see GetClipboardText).
    virtual void CopyToClipboard();

    // N, the data length: the length of the shorter of I and Q.
    int GetN() const { return std::min(m_pI->GetSize(), m_pQ->GetSize()); }

    // Range over the whole data (frequency data: the bins from -N/2, or 0 when real, to N/2-1).
    void ResetRange();
    // Sets the display range; strict refuses a reversed range or one past the data instead of
    // correcting it. A range of m_nMinSpan steps or fewer is refused, unless the data itself is
    // that short (then all of it is shown). Returns whether the range was accepted.
    bool SetRange(int first, int last, bool strict);
    // SetRange of the indexes of two x values.
    bool SetRangeX(double x1, double x2, bool strict);
    // x values of the first and last index of the display range.
    void GetRangeX(double& x1, double& x2) const;
    // Takes value and unit of fs; recomputes Nyquist frequency and point spacing.
    void ApplyFs(const CFs& fs);
    // Pads the shorter of I and Q with fill (linear value) and redetermines the real flag;
    // resets the range. Returns the real flag.
    bool EqualizeLengths(double fill);
    // Time data: real when Q spans no more than 1e-6 of I's span; Q is then zeroed unless one
    // of its extremes is exactly 0. Sets and returns the real flag.
    bool DetectReal();
    // Takes src's settings and its first count points (at most its length).
    void Copy(const CCorviData& src, int count);
    // Replaces I and Q with the real and imaginary parts of values.
    void LoadComplex(std::span<const std::complex<double>> values);
    // 10*log10(power) plus m_dDbOffset, in dB; power is floored at 1e-30 and, with clamp, the
    // result at m_fDbFloor.
    double ToDb(double power, bool clamp) const;
    // The quantity of kind (EQuantity; any other kind gives 0) at an index; phase in degrees.
    double GetQuantity(int index, int kind) const;
    // The extremes of GetQuantity over the display range.
    void GetQuantityRange(int kind, double& min, double& max) const;
    // Unit name for the x axis; p, a power of ten multiple of 3, is left with what the unit
    // could not absorb.
    std::string GetXUnitLabel(int& p) const;
    // The display range as lines of "%12.9lf" values (I, and Q for complex data, tab
    // separated, "\r\n" ended); empty when the range cannot be copied.
    std::string GetClipboardText() const;

    // Window code as stored by an older stream version, remapped to the current codes.
    static int RemapWindowCode(int code, int nVersion);

    std::string m_strName;
    CDataColumn* m_pI = nullptr;
    CDataColumn* m_pQ = nullptr;
    int m_bTime = 1;
    int m_bReal = 1;
    double m_dFs = 1.0;
    double m_dNyquist = 0.5;
    double m_dDelta = 1.0; // x units between adjacent points
    int m_nWindow = -1;
    int m_nFirst = 0;
    int m_nLast = 0;
    int m_nPoints = 0;
    int m_nHalf = 0;
    int m_nMinSpan = 4;
    float m_fDbFloor = -130.0f;
    CFs m_Fs;
    double m_dDbOffset = 0.0;
    std::string m_strUnits = "dB";
    int m_bQuantized = 0; // not stored
    SDataFileState m_File;

protected:
    // Makes I and Q exist and points m_pI and m_pQ at them (after the columns were replaced).
    void BindColumns();
    // Maps a display index (negative: 0 for time data, i + N for frequency data) into the data.
    int MapIndex(int index) const;

    CHost* m_pHost = nullptr;

private:
    CDataSet m_Columns;
};
