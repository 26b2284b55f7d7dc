#pragma once

#include "support/change_notice.h"

// Which coefficients a frequency-response curve evaluates.
enum EResponseChannel {
    kChannelInphase = 1,    // I only, as a real filter
    kChannelQuadrature = 2, // Q only, as a real filter
    kChannelIAndQ = 3,      // two curves: inphase, then quadrature
    kChannelComplex = 4,    // I + jQ as one complex filter
};

// What a frequency-response curve shows: the response kinds among what a view can be asked to
// show, by the same numbers.
enum EResponseKind {
    kResponseMagnitude = static_cast<int>(EViewShows::Magnitude), // dB, or linear gain
    kResponsePhase = static_cast<int>(EViewShows::Phase),         // degrees in (-180, 180]
    kResponseUnwrappedPhase = static_cast<int>(EViewShows::UnwrappedPhase), // degrees
    // time unit of the sampling frequency's unit
    kResponsePhaseDelay = static_cast<int>(EViewShows::PhaseDelay),
    kResponseGroupDelay = static_cast<int>(EViewShows::GroupDelay),
};

// The response kinds in the order the frequency view's menu lists them.
inline constexpr int kResponseKinds[] = {kResponseMagnitude, kResponsePhase,
                                         kResponseUnwrappedPhase, kResponsePhaseDelay,
                                         kResponseGroupDelay};

// The response kind a binding asks for: the one shows names, magnitude for anything else.
constexpr int ResponseKindOf(EViewShows shows) {
    return shows >= EViewShows::Magnitude && shows <= EViewShows::GroupDelay
               ? static_cast<int>(shows)
               : kResponseMagnitude;
}

// The oversampling factor of a gridded response that nobody chose.
constexpr int kDefaultResponseResolution = 32;
