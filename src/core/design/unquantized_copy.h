#pragma once

#include <cstdint>
#include <optional>
#include <vector>

class CArchiveReader;
class CArchiveWriter;
class CCorviData;
class CFirData;

// A print of a signal's coefficients: of the bits of I and Q from the first to the last tap that
// is not zero in both, so that removing zero taps at the ends keeps it.
uint64_t CoefficientPrint(const CCorviData& data);

// The coefficients a filter had before it was quantized, kept beside the quantized ones for as
// long as they describe them: any change of the coefficients other than a quantization (or the
// removal of zero taps at the ends) leaves the copy stale, and a stale copy is never shown or
// stored.
class CUnquantizedCopy {
public:
    // Keeps i and q as the unquantized form of quantized's present coefficients.
    void Keep(std::vector<double> i, std::vector<double> q, const CCorviData& quantized);
    // After a further quantization of the coefficients the copy described: it describes the
    // new ones.
    void Follow(const CCorviData& quantized) { m_nPrint = CoefficientPrint(quantized); }
    // Whether the copy holds coefficients and they are the unquantized form of data's.
    bool Describes(const CCorviData& data) const;
    void Clear() { *this = CUnquantizedCopy(); }
    const std::vector<double>& I() const { return m_i; }
    const std::vector<double>& Q() const { return m_q; }

    // The count, I, Q and the print of the quantized coefficients.
    void Write(CArchiveWriter& ar) const;
    // Reads what Write wrote; throws CArchiveException on a short or malformed stream.
    void Read(CArchiveReader& ar);

private:
    std::vector<double> m_i, m_q;
    uint64_t m_nPrint = 0;
};

// The worst (highest) level in dB of a filter's response over its stopbands, with its present
// and with its unquantized coefficients.
struct SQuantizationLoss {
    double dUnquantizedDb = 0;
    double dQuantizedDb = 0;
};
// For a filter with stopbands in its band list and an unquantized copy that describes its
// coefficients; nothing otherwise.
std::optional<SQuantizationLoss> MeasureQuantizationLoss(const CFirData& filter);
// The worst level in dB of data's response (inphase for real data, else complex) over the
// band lo..hi (fractions of Fs), on a grid of 32 points per 1/N in frequency (at most 16385).
double WorstLevelDb(const CCorviData& data, double lo, double hi);
