#pragma once

#include <array>
#include <vector>

// The window codes kept in m_nWindow and offered by the window dialog, in dialog order.
enum class EWindow : int {
    DolphChebyshev = 1,
    KaiserBessel = 2,
    BlackmanHarris4 = 3,
    BlackmanHarris7 = 4,
    Hanning = 5,
    Gaussian = 6,
    Hamming = 7,
};

// The one parameter a window takes, if any.
enum class EWindowParam { None, Gamma, Alpha };

// One row of the window catalogue: code, the dialog's radio text, the parameter it takes and
// the command line's word for it.
struct SWindowInfo {
    EWindow code;
    const char* dialogText;
    EWindowParam param;
    const char* word;
};
// The command line's word for "no window" (code 0 where a window is optional).
inline constexpr const char* kNoWindowWord = "none";

// Every window, in dialog order (radio index = code - 1).
extern const std::array<SWindowInfo, 7> kWindowCatalogue;

// The catalogue row of a code; a code outside 1..7 gives the four-term Blackman-Harris row, the
// window such a code applies.
const SWindowInfo& WindowInfo(int code);

// Modified Bessel function of the first kind, order zero, by its power series
// 1 + sum_j ((z/2)^j / j!)^2.
double BesselI0(double z);

// The n weights of window `code`; parameter is gamma (sidelobe level in dB, or a linear ratio
// below 1) for Dolph-Chebyshev and alpha (beta = pi * alpha) for Kaiser-Bessel, unused otherwise.
// A code outside 1..7 gives the four-term Blackman-Harris window; n = 1 gives the single weight 1.
std::vector<double> ComputeWindow(int code, double parameter, int n);

// Dolph-Chebyshev window of n points for sidelobe level gamma (dB, or a linear ratio below 1).
std::vector<double> DolphChebyshevWindow(int n, double gamma);
