#pragma once

// The window code a file of `version` stored, in the current numbering.
int WindowCodeFromFile(int code, int version);

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

    // The raised-cosine section (from version 6).
    template <class Fields, class Self> static void DescribeFields(Fields& f, Self& s) {
        f.Int32(s.m_bLengthInTaps, 6);
        f.Double(s.m_dSymbols, 6);
        f.Double(s.m_dRolloff, 6);
        f.Int32(s.m_bRateGiven, 6);
        f.Double(s.m_dSamplesPerSymbol, 6);
        f.Double(s.m_dSymbolRate, 6);
        f.Int32(s.m_nRcTaps, 6);
        f.Int32(s.m_bRoot, 10);
        f.Int32(s.m_bZeroPad, 6);
        f.Int32(s.m_nZeroPadTaps, 6);
    }
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

    // The windowed-sinc section after the filter's tap count, which opens it (from version 6).
    template <class Fields, class Self> static void DescribeFields(Fields& f, Self& s) {
        f.Double(s.m_dWindowParam, 6);
        f.Code(s.m_nWindowType, 6, &WindowCodeFromFile);
        f.Int32(s.m_nFilterType, 6);
        f.Double(s.m_dCorner1, 6);
        f.Double(s.m_dCorner2, 6);
        f.Int32(s.m_nSplineOrder, 7);
        f.Int32(s.m_bAutoOrder, 7);
        f.Double(s.m_dChebyParam, 10);
    }
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

    // The Lth-band section (from version 7).
    template <class Fields, class Self> static void DescribeFields(Fields& f, Self& s) {
        f.Double(s.m_dCutoff, 7);
        f.Int32(s.m_nL, 7);
        f.Int32(s.m_bZeroize, 7);
        f.Int32(s.m_nLthMethod, 7);
        f.Int32(s.m_bSpecifyAttn, 7);
        f.Double(s.m_dRipple, 7);
        f.Int32(s.m_bRippleInDb, 7);
        f.Int32(s.m_bAttnDb, 7);
        f.Double(s.m_dAttn, 7);
    }
};

// Maximally flat lowpass parameters.
struct MaxflatParams {
    double m_dBeta = 0.2;  // centre of the transition band, fraction of Fs
    double m_dGamma = 0.1; // width of the transition band, fraction of Fs
    int m_bGammaGiven = 0; // 1: gamma given; 0: a tap count given

    // The maximally flat section (from version 10).
    template <class Fields, class Self> static void DescribeFields(Fields& f, Self& s) {
        f.Double(s.m_dBeta, 10);
        f.Double(s.m_dGamma, 10);
        f.Int32(s.m_bGammaGiven, 10);
    }
};

// Cascaded integrator-comb parameters.
struct CicParams {
    int m_nStages = 5; // N
    int m_nRate = 8;   // rate change factor R
    int m_nDelay = 1;  // differential delay M

    // The filter's unity-gain flag is archived after the three parameters.
    // The CIC section (from version 10); the filter's unity-gain flag follows it.
    template <class Fields, class Self> static void DescribeFields(Fields& f, Self& s) {
        f.Int32(s.m_nStages, 10);
        f.Int32(s.m_nRate, 10);
        f.Int32(s.m_nDelay, 10);
    }
};
