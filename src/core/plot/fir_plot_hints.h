#pragma once

// The fields of a document's update hint as the plot views read them.
struct SFirPlotHint {
    int nEvent;   // bits 0-3
    int nType;    // bits 4-7: view type (1..8), anything else automatic
    int nChannel; // bits 8-11: 0 I, 1 Q, 2 I and Q, 3 complex, 4 by the filter's real flag
    int nStyle;   // bits 12-15

    static SFirPlotHint Decode(int hint) {
        const bool typed = (hint & 0xff) < 144;
        return {hint & 0xf, typed ? (hint >> 4) & 0xf : 0, (hint >> 8) & 0xf, (hint >> 12) & 0xf};
    }
};

// Hint events the plots act on.
enum EFirPlotEvent {
    kHintBindTime = 1,
    kHintBindFreq = 3,
    kHintCoefficients = 5,
    kHintSampleRate = 7,
    kHintClosing = 8,
    kHintBindStep = 11,
};
// On a coefficients hint: reset the time view's zoom.
inline constexpr int kHintResetZoomBit = 0x1000;

// The hint that binds a frequency view to response kind (view types 4 to 8) and channel code
// (0 to 4), and one that binds a time view (impulse or step) to a view type (1 to 5).
constexpr int FreqViewHint(int viewType, int channelCode) {
    return ((channelCode * 16 + viewType) * 16) + kHintBindFreq;
}
constexpr int TimeViewHint(int viewType, int channelCode, bool step) {
    return ((channelCode * 16 + viewType) * 16) + (step ? kHintBindStep : kHintBindTime);
}
