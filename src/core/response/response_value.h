#pragma once

#include <vector>

class CCorviData;
class CDataColumn;
class CDataSet;

// The response of a filter's coefficients at one frequency, evaluated directly.
//   channel: kChannelInphase, kChannelQuadrature or kChannelComplex (response_types.h);
//   phase: false gives the power |H|^2, true the phase in degrees in (-180, 180];
//   freq: in the unit of the filter's sampling frequency, or in fractions of it when normalized.
// A filter without coefficients gives 1.0; any other channel gives 0.0.
double FreqResponseAt(const CCorviData& filter, int channel, bool phase, double freq,
                      bool normalized);

// |H|^2 of the real coefficients taps at freq (fraction of the sampling frequency), evaluated as
// FreqResponseAt does; 1.0 without coefficients.
double RealTapsPowerAt(const std::vector<double>& taps, double freq);

// The value one plot point shows at freq (unit of the sampling frequency): the phase in degrees
// when phase is set; otherwise the magnitude in dB, never below minDb (dB), when inDb is set, or
// the linear gain when it is not. Channels other than inphase, quadrature and complex give 0.
double ResponseValue(bool inDb, double freq, int channel, bool phase, const CCorviData& filter,
                     double minDb);

// The settings of a frequency-response plot that decide what its curves hold.
struct SResponseCurveOptions {
    int nChannel;  // EResponseChannel
    int nKind;     // EResponseKind
    bool bInDb;    // magnitude in dB rather than linear gain
    double dMinDb; // lowest dB value shown
};

// Fills the first empty curve of curves with one value per frequency of freqs (unit of the
// sampling frequency); with kChannelIAndQ that curve holds the inphase values and the next empty
// curve the quadrature values. Phase kinds are unwrapped and turned into delays as the kind asks.
// Curves are added to the set when it has too few empty ones.
void ComputeCurves(const CDataColumn& freqs, CDataSet& curves, const CCorviData& filter,
                   const SResponseCurveOptions& options);
