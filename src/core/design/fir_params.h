#pragma once

class CArchiveReader;
class CArchiveWriter;

// Raised-cosine and root-raised-cosine pulse-shaping parameters.
struct RaisedCosineParams {
    int m_bLengthInTaps = 1;          // 1: length is m_nRcTaps; 0: length is m_dSymbols
    double m_dSymbols = 6.0;          // length in symbols
    double m_dRolloff = 0.6;          // rolloff factor beta
    int m_bRateGiven = 0;             // 1: m_dSymbolRate is given; 0: m_dSamplesPerSymbol
    double m_dSamplesPerSymbol = 8.0; // samples per symbol
    double m_dSymbolRate = 0.0;       // symbols per second, in the unit of the sampling frequency
    int m_nRcTaps = 47;               // design taps
    int m_bRoot = 0;                  // root raised cosine
    int m_bZeroPad = 1;               // append zeros after the design taps
    int m_nZeroPadTaps = 48;          // total length after zero padding

    void Store(CArchiveWriter& ar, int version) const;
    // Project versions below 6 hold nothing (defaults restored); m_bRoot is read from 10 on.
    void Load(CArchiveReader& ar, int version);
};

// Windowed-sinc parameters, also used by the spline sinc and the Lth-band designs.
struct WindowedSincParams {
    double m_dWindowParam = 2.5; // parameter of the parameterised windows (Kaiser-Bessel alpha)
    double m_dChebyParam = 40.0; // Dolph-Chebyshev sidelobe level, dB
    int m_nWindowType = 0;       // window code, 0 none
    int m_nFilterType = 0;       // 0 lowpass, 1 highpass, 2 bandpass, 3 bandstop
    double m_dCorner1 = 0.0;     // corner frequency, in the unit of the sampling frequency
    double m_dCorner2 = 0.0;     // second corner (end of the transition band for spline sinc)
    int m_nSplineOrder = 1;      // spline order p
    int m_bAutoOrder = 1;        // compute p before each spline design

    // The filter's tap count is archived in this section too (nTaps).
    void Store(CArchiveWriter& ar, int version, int nTaps) const;
    // Restores the defaults (nTaps 0) and reads what the version holds.
    void Load(CArchiveReader& ar, int version, int& nTaps);
};

// Lth-band (Nyquist) parameters.
struct LthBandParams {
    double m_dCutoff = 0.0; // cutoff frequency, in the unit of the sampling frequency
    int m_nL = 2;
    int m_bZeroize = 0;     // force the Lth-band zeros after a Parks-McClellan design
    int m_nLthMethod = 0;   // 0 Parks-McClellan, 1 windowed sinc, 2 spline sinc
    int m_bSpecifyAttn = 1; // 1: m_dAttn is given; 0: m_dRipple is given
    double m_dRipple = 1.0; // passband ripple, dB or linear deviation factor
    int m_bRippleInDb = 1;
    double m_dAttn = 60.0; // stopband attenuation, dB or linear factor
    int m_bAttnDb = 1;

    enum { kMethodPm = 0, kMethodWindowedSinc = 1, kMethodSplineSinc = 2 };

    void Store(CArchiveWriter& ar, int version) const;
    // Restores the defaults; versions below 7 hold nothing more.
    void Load(CArchiveReader& ar, int version);
};

// Maximally flat lowpass parameters.
struct MaxflatParams {
    double m_dBeta = 0.2;  // centre of the transition band, fraction of Fs
    double m_dGamma = 0.1; // width of the transition band, fraction of Fs
    int m_bGammaGiven = 0; // 1: gamma given; 0: a tap count given

    void Store(CArchiveWriter& ar, int version) const;
    // Versions below 10 hold nothing.
    void Load(CArchiveReader& ar, int version);
};

// Cascaded integrator-comb parameters.
struct CicParams {
    int m_nStages = 5; // N
    int m_nRate = 8;   // rate change factor R
    int m_nDelay = 1;  // differential delay M

    // The filter's unity-gain flag is archived after the three parameters.
    void Store(CArchiveWriter& ar, int version, int unityGain) const;
    // Versions below 10 hold nothing.
    void Load(CArchiveReader& ar, int version, int& unityGain);
};
