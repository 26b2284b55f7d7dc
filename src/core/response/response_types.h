#pragma once

// Which coefficients a frequency-response curve evaluates.
enum EResponseChannel {
    kChannelInphase = 1,    // I only, as a real filter
    kChannelQuadrature = 2, // Q only, as a real filter
    kChannelIAndQ = 3,      // two curves: inphase, then quadrature
    kChannelComplex = 4,    // I + jQ as one complex filter
};

// What a frequency-response curve shows; the codes continue the generic graph types 0 to 5.
enum EResponseKind {
    kResponseMagnitude = 3,      // dB, or linear gain
    kResponsePhase = 4,          // degrees in (-180, 180]
    kResponseUnwrappedPhase = 6, // degrees
    kResponsePhaseDelay = 7,     // time unit of the sampling frequency's unit
    kResponseGroupDelay = 8,     // time unit of the sampling frequency's unit
};

// The oversampling factor of a gridded response that nobody chose.
constexpr int kDefaultResponseResolution = 32;
