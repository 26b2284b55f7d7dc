#pragma once

#include "dsp/operation_settings.h"

class CArchiveReader;
class CArchiveWriter;

// The remembered values of the operation dialogs that a project file keeps. Each record opens
// with the values of its last use in the project.

// "Waveform Generator" (fill with a sine).
struct CGenerateSettings {
    int m_nSamples = 1024;
    float m_fCycles = 4.0f;
    float m_fFrequency = 0.125f; // not stored in the project file
    int m_nRateMode = 1;         // 0 frequency, 1 number of cycles
    int m_bComplex = 1;
    double m_dPhaseDegrees = 0.0;
    int m_nWaveform = 0; // 0 sine, 1 square, 2 triangle, 3 sawtooth

    template <class Fields, class Self> static void DescribeFields(Fields& f, Self& s);
    void Serialize(CArchiveWriter& ar, int nVersion) const;
    void Serialize(CArchiveReader& ar, int nVersion);
};

// "Mix Filter": the mix settings, stored in single precision.
struct CMixSettings {
    SMixSettings m_settings;

    template <class Fields, class Self> static void DescribeFields(Fields& f, Self& s);
    void Serialize(CArchiveWriter& ar) const;
    void Serialize(CArchiveReader& ar);
};

// "Scale Filter".
struct CScaleSettings {
    double m_dFrequency = 0.0; // "Gain at" frequency, in the filter's frequency unit
    int m_nMethod = 0;         // 0 DC gain ... 5 multiply by
    double m_dTarget = 0.0;
    int m_bInDb = 1;
    int m_bRound = 0;

    template <class Fields, class Self> static void DescribeFields(Fields& f, Self& s);
    void Serialize(CArchiveWriter& ar, int nVersion) const;
    void Serialize(CArchiveReader& ar, int nVersion);
};

// "Fill Coefficients With Constant".
struct CCombFillSettings {
    int m_nTaps = 0;
    double m_dConstant = 0.0;
    int m_bOneOverN = 1;

    template <class Fields, class Self> static void DescribeFields(Fields& f, Self& s);
    void Serialize(CArchiveWriter& ar) const;
    void Serialize(CArchiveReader& ar);
};

// "Window Filter Coefficients".
struct CWindowSettings {
    int m_nCode = 1; // 1 Dolph-Chebyshev ... 7 Hamming
    float m_fAlpha = 4.0f;
    float m_fGamma = 40.0f; // dB

    template <class Fields, class Self> static void DescribeFields(Fields& f, Self& s);
    void Serialize(CArchiveWriter& ar, int nVersion) const;
    void Serialize(CArchiveReader& ar, int nVersion);
};

// The remembered values of the operation dialogs that live only as long as their document.

// The quantization fields as the dialogs show them (the design options' Quantization page and
// the Quantize dialog): a switch and a positive word length where the quantization record
// (QuantOptions) keeps a signed one.
struct SQuantDialogValues {
    bool m_bQuantize = false; // "Quantize to" (the design options only)
    int m_nBits = 16;
    int m_bSave = 1; // "Save in fractional file options"
    int m_nAlgorithm = 0;
    int m_bTruncateZeros = 1;
    int m_nSearchLow = 4;
    int m_nSearchHigh = 32;
};

// "Quantize": the dialog's values; all but the word length and the algorithm start from the
// quantization record the project keeps.
struct CQuantizeSettings : SQuantDialogValues {
    int m_bInphaseOnly = 1; // set by the command: 1 for the inphase item, 0 otherwise
};

// "Truncate".
struct CTruncateSettings {
    int m_nWhere = 0;  // 0 each end, 1 beginning, 2 end
    int m_nMethod = 0; // 0 quantity, 1 magnitude, 2 dB below peak, 3 dB below sum
    double m_dValue = 0.0;
};

// "Select Polyphase Filter".
struct CPolyphaseSettings {
    int m_nPhase = 0;
    int m_nPhases = 0;
    int m_bScaleFs = 1;
    int m_bScaleGain = 1;
};

// "Zero-Stuff and Zero-Pad"; counts of 0 or less do nothing.
struct CZeroPadSettings {
    int m_nPrepend = 0;
    int m_nAppend = 0;
    int m_nStuff = 0;
    int m_bScaleFs = 1;
};
