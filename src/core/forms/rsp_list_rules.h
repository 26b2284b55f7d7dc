#pragma once

#include <string>
#include <vector>

class CFirData;

// A response-list frequency as the list shows it: six decimals, trailing zeros removed down to
// one decimal place ("0.25", "1000.0").
std::string FormatRspFreq(double freq);
// The filter's response at freq (unit of Fs) in dB: 10 log10 of the power, floored at 1e-30,
// with two decimals.
std::string FormatRspDb(const CFirData& filter, double freq);

// The automatic response-list frequencies of the filter's design method (unit of Fs): 0 and
// Fs/2, with the method's characteristic frequencies between them.
std::vector<double> AutoRspFreqs(const CFirData& filter);
// With the filter's automatic flag on and coefficients present, the list becomes
// AutoRspFreqs; returns whether it did.
bool ApplyAutoRspFreqs(CFirData& filter);

// The sidelobe peaks of a CIC response (unit of Fs): 0, up to 7 peaks found by a 16-step climb
// from 1.5001 h on (h = Fs / (R M)), and Fs/2 when R M is odd and fewer than 8 entries result.
std::vector<double> CicRspFreqs(const CFirData& filter);
