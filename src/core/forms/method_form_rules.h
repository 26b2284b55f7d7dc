#pragma once

#include <string>
#include <vector>

class CFirData;
class CHost;

// ---- simple Parks-McClellan form --------------------------------------------------------------

// Captions of the first and second frequency fields and of the center group for a filter type
// (0 lowpass, 1 highpass, 2 bandpass, 3 bandstop).
struct SSimplePmLabels {
    const char* first;
    const char* second;
    const char* center;
};
SSimplePmLabels SimplePmLabels(int filterType);
// A change of filter type puts the two frequencies in the order the new type needs: ascending
// for lowpass, highpass and bandpass, descending for bandstop.
void OrderSimplePmFrequencies(int filterType, double& first, double& second);
// The achieved values beside the ripple and attenuation fields (" dB" texts, "" without
// coefficients) and the caption of the "Actuals" group with PASS or FAIL.
struct SSimplePmActuals {
    std::string ripple;
    std::string atten;
    std::string caption;
};
SSimplePmActuals SimplePmActuals(CFirData& filter, int filterType);

// ---- windowed sinc and Lth-band forms -----------------------------------------------------------

// Window codes whose parameter the forms edit.
inline constexpr int kWindowDolphChebyshev = 1;
inline constexpr int kWindowKaiserBessel = 2;
// "Gamma" for the Dolph-Chebyshev window, "Alpha" otherwise.
const char* WindowParamLabel(int windowCode);
bool WindowHasParam(int windowCode);
// The stored parameter of a window: the Dolph-Chebyshev level for code 1, alpha otherwise.
double GetWindowParam(const CFirData& filter, int windowCode);
void SetWindowParam(CFirData& filter, int windowCode, double value);

// ---- Lth-band form ------------------------------------------------------------------------------

// The checks of the Lth-band form before it stores its fields (cutoff in the unit of Fs),
// each with its message; method and window as the form shows them.
bool CheckLthForm(int l, double cutoff, double fs, int method, int windowCode, double param,
                  CHost& host);
// The "Filter Info" group: its caption and the lines of label and value.
struct SLthBandInfo {
    std::string caption;
    std::vector<std::pair<std::string, std::string>> lines;
};
SLthBandInfo LthBandInfo(double fs, int l, double cutoff);

// ---- CIC form -----------------------------------------------------------------------------------

// The parameter checks of the CIC form; maxTaps is the constraints' maximum.
bool CheckCicForm(int stages, int rate, int delay, int maxTaps, CHost& host);
