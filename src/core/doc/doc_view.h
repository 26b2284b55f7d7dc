#pragma once

#include "support/change_notice.h"

#include <string>

class CFirDoc;

// A window onto a document. It registers with its document and learns of every change only
// through change notices; the document never knows what kind of window it is.
class CDocView {
public:
    virtual ~CDocView() = default;
    virtual void OnUpdate(CFirDoc& doc, const SChangeNotice& notice) = 0;
    // The design type of the method editor this view is; -1 for any other view.
    virtual int EditorDesignType() const { return -1; }
};

// The kinds of window a document can ask for.
enum class EViewKind { Editor, Frequency, Time, Data, PoleZero };

// A document's request for a window: a new one, or (reuse) the existing one of that kind
// brought to the top. The window registers with the document before OpenView returns; the
// document then sets the filter's display title and sends the notice (none: a plain update).
struct SViewRequest {
    EViewKind kind = EViewKind::Data;
    bool reuse = false;
    std::string title;
    SChangeNotice notice;
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
    // doc's modified flag or its undo history changed (the title's mark, Undo and Redo follow).
    virtual void OnStateChanged(CFirDoc& /*doc*/) {}
};
