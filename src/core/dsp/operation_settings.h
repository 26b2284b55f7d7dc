#pragma once

class CHost;

// Checks a window choice made in the window dialog: Dolph-Chebyshev needs gamma >= 1 dB and
// Kaiser-Bessel alpha > 0. A refused choice is reported through the host and gives false.
bool CheckWindowSettings(CHost& host, int code, double alpha, double gamma);

// The parameter handed to the window operation: gamma for Dolph-Chebyshev, alpha for
// Kaiser-Bessel, 0 otherwise.
double WindowSettingsParameter(int code, double alpha, double gamma);

// How the mix dialog chooses the mixing frequency.
enum class EMixMode : int { Frequency = 0, FsDivided = 1, FsMultiplied = 2 };
// How it chooses the initial phase.
enum class EMixPhaseMode : int { Automatic = 0, Degrees = 1 };

// The choices of the mix dialog; frequencies in the unit of the sampling frequency.
struct SMixSettings {
    int mode = 0; // EMixMode
    double frequency = 0.0;
    double divisor = 0.0;
    double multiplier = 0.0;
    int phaseMode = 0; // EMixPhaseMode
    double phaseDegrees = 0.0;
};

// Replaces a zero frequency by fs/4, a zero divisor by 4 and a zero multiplier by 0.25.
void ApplyMixDefaults(SMixSettings& s, double fs);

// The mixing frequency the settings choose at sampling frequency fs.
double MixFrequency(const SMixSettings& s, double fs);

// The initial phase in radians, reduced modulo 2 pi keeping its sign: from the degrees, or for
// linear phase -pi (f / fs) (nTaps - 1), which puts zero phase at the centre tap.
double MixPhase(const SMixSettings& s, double frequency, double fs, int nTaps);

// The checks made when the mix dialog closes with OK, in order: a zero divisor, a zero
// frequency (both refused), a frequency outside +-fs/2 (asks). False keeps the dialog open.
bool CheckMixSettings(CHost& host, const SMixSettings& s, double fs);
