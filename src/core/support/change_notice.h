#pragma once

// What a document tells its views: what happened and, when it asks a view to bind, what the
// view is to show. Every notice has a number code, the one the project's window commands have
// always used (bits 0-3 the change, 4-7 what to show, 8-11 the channel, 12-15 the style; on a
// coefficients notice bit 12 resets the time view's zoom); Code() and FromCode() convert.

// What happened.
enum class EChange : int {
    None = 0,
    BindTime = 1,     // bind an impulse-response view or a coefficient view
    BindFreq = 3,     // bind a frequency-response view
    Coefficients = 5, // the filter changed: coefficients, specifications or title
    AboutToSave = 6,  // editors store their fields into the filter
    SampleRate = 7,   // the sampling frequency changed
    Closing = 8,      // the document is closing
    BindStep = 11,    // bind a time-response view in step mode
};

// What a binding asks a view to show. A time view takes 1-5 as its graph type, a frequency view
// 4-8 as its response kind, the coefficient view 1-3 as its listing (3: both columns), a Simple
// PM editor 9-12 as its filter type; any other value leaves the view its automatic choice.
enum class EViewShows : int {
    Automatic = 0,
    Inphase = 1,
    Quadrature = 2,
    IAndQ = 3,
    Magnitude = 4,
    Phase = 5,
    UnwrappedPhase = 6,
    PhaseDelay = 7,
    GroupDelay = 8,
    Lowpass = 9,
    Highpass = 10,
    Bandpass = 11,
    Bandstop = 12,
};

// The filter channel a binding asks for.
enum class EViewChannel : int {
    Inphase = 0,
    Quadrature = 1,
    IAndQ = 2,
    Complex = 3,
    ByFilter = 4, // inphase for a real filter, complex otherwise
};

struct SChangeNotice {
    EChange change = EChange::None;
    EViewShows shows = EViewShows::Automatic;
    EViewChannel channel = EViewChannel::Inphase;
    int style = 0;          // a time view's plot style at binding (0 automatic)
    bool resetZoom = false; // on a coefficients notice: the time view resets its zoom

    static constexpr SChangeNotice Of(EChange change) { return {change}; }
    static constexpr SChangeNotice BindFreq(EViewShows kind, EViewChannel channel) {
        return {EChange::BindFreq, kind, channel};
    }
    // A time or coefficient view (step: a time view in step mode).
    static constexpr SChangeNotice BindTime(EViewShows type, EViewChannel channel,
                                            bool step = false) {
        return {step ? EChange::BindStep : EChange::BindTime, type, channel};
    }

    constexpr int Code() const {
        const int high = change == EChange::Coefficients ? (resetZoom ? 1 : 0) : style;
        return static_cast<int>(change) | static_cast<int>(shows) << 4 |
               static_cast<int>(channel) << 8 | high << 12;
    }
    static constexpr SChangeNotice FromCode(int code) {
        const auto change = static_cast<EChange>(code & 0xF);
        const int high = (code >> 12) & 0xF;
        const bool coefficients = change == EChange::Coefficients;
        return {change, static_cast<EViewShows>((code >> 4) & 0xF),
                static_cast<EViewChannel>((code >> 8) & 0xF), coefficients ? 0 : high,
                coefficients && (high & 1) != 0};
    }

    friend constexpr bool operator==(const SChangeNotice&, const SChangeNotice&) = default;
};

// The notices a new or opened document sends: time and coefficient views, then the frequency
// view of a real or a complex filter.
namespace Notice {
inline constexpr SChangeNotice kNewTime =
    SChangeNotice::BindTime(EViewShows::Automatic, EViewChannel::Complex);
inline constexpr SChangeNotice kNewFreqReal =
    SChangeNotice::BindFreq(EViewShows::Magnitude, EViewChannel::Inphase);
inline constexpr SChangeNotice kNewFreqComplex =
    SChangeNotice::BindFreq(EViewShows::Magnitude, EViewChannel::Complex);
inline constexpr SChangeNotice kCoefficients = SChangeNotice::Of(EChange::Coefficients);
inline constexpr SChangeNotice kAboutToSave = SChangeNotice::Of(EChange::AboutToSave);
inline constexpr SChangeNotice kSampleRate = SChangeNotice::Of(EChange::SampleRate);
inline constexpr SChangeNotice kClosing = SChangeNotice::Of(EChange::Closing);
} // namespace Notice
