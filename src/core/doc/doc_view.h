#pragma once

#include <string>

class CFirDoc;

// Update hints a document sends to its views. The low four bits name the event; the higher bit
// fields carry, for the binding events, the view type (bits 4-7), the channel (bits 8-11) and
// the style (bits 12-15).
namespace DocHint {
inline constexpr int kBindTime = 1;      // bind a time-response or data view
inline constexpr int kBindFreq = 3;      // bind a frequency-response view
inline constexpr int kChanged = 5;       // coefficients changed
inline constexpr int kAboutToSave = 6;   // editors store their fields into the filter
inline constexpr int kFsChanged = 7;     // the sampling frequency changed
inline constexpr int kClosing = 8;       // the document is closing
inline constexpr int kBindTimeStep = 11; // bind a time-response view in step mode

// Sent to a new or opened document's views: time and data views, then the frequency view.
inline constexpr int kNewTime = 0x301;
inline constexpr int kNewFreqReal = 0x043;
inline constexpr int kNewFreqComplex = 0x343;

inline constexpr int EventOf(int hint) {
    return hint & 0xF;
}
// A frequency-response view: kind 4 magnitude ... 8 group delay, selection 0 inphase,
// 1 quadrature, 2 I and Q, 3 complex.
inline constexpr int FreqView(int kind, int selection) {
    return kBindFreq + 16 * kind + 256 * selection;
}
} // namespace DocHint

// A window onto a document. It registers with its document and learns of every change only
// through update hints; the document never knows what kind of window it is.
class CDocView {
public:
    virtual ~CDocView() = default;
    virtual void OnUpdate(CFirDoc& doc, int hint) = 0;
    // The design type of the method editor this view is; -1 for any other view.
    virtual int EditorDesignType() const { return -1; }
};

// The kinds of window a document can ask for.
enum class EViewKind { Editor, Frequency, Time, Data, PoleZero };

// A document's request for a window: a new one, or (reuse) the existing one of that kind
// brought to the top. The window registers with the document before OpenView returns; the
// document then sets the filter's display title and sends the hint.
struct SViewRequest {
    EViewKind kind = EViewKind::Data;
    bool reuse = false;
    std::string title;
    int hint = 0;
};

// Whoever owns the windows of the documents: the desktop opens and closes windows, the command
// line keeps documents without windows.
class CViewOwner {
public:
    virtual ~CViewOwner() = default;
    virtual void OpenView(CFirDoc& doc, const SViewRequest& request) = 0;
    // Closes doc with its windows (an empty project replaced by one that was opened).
    virtual void CloseDocument(CFirDoc& doc) = 0;
    // The last view of doc went away.
    virtual void OnLastViewClosed(CFirDoc& /*doc*/) {}
};
