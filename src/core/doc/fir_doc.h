#pragma once

#include "doc/dialog_settings.h"
#include "doc/doc_view.h"
#include "doc/preferences.h"
#include "doc/project_file.h"
#include "support/file_access.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

class CHost;

// One open project: its filter, the remembered values of every dialog, the modified flag, the
// views that show it and an undo/redo history of whole-project snapshots. Every document is
// listed, in creation order, in one application-wide list.
class CFirDoc : public CFirProject {
public:
    // Undo points beyond the current state that the history keeps.
    static constexpr int kMaxUndoDepth = 10;

    explicit CFirDoc(CHost& host, CViewOwner* pOwner = nullptr);
    ~CFirDoc();
    CFirDoc(const CFirDoc&) = delete;
    CFirDoc& operator=(const CFirDoc&) = delete;

    // Every open document, oldest first.
    static const std::vector<CFirDoc*>& Documents();

    CHost& Host() const { return m_host; }
    CFirData& Filter() { return m_Filter; }
    const CFirData& Filter() const { return m_Filter; }
    void SetViewOwner(CViewOwner* pOwner) { m_pOwner = pOwner; }
    CViewOwner* ViewOwner() const { return m_pOwner; }
    // The preferences consulted by the commands (owned by the application); defaults if none.
    void SetPreferences(const CPreferences* pPrefs) { m_pPrefs = pPrefs; }
    const CPreferences& Preferences() const;

    // ---- views ---------------------------------------------------------------------------
    // Adding or removing a view re-derives the design type from the first editor view.
    void AddView(CDocView& view);
    void RemoveView(CDocView& view);
    const std::vector<CDocView*>& Views() const { return m_views; }
    void UpdateAllViews(const SChangeNotice& notice);
    // Asks the view owner for a window, then sets the filter's display title and sends the notice.
    void RequestView(const SViewRequest& request);

    // ---- life cycle ----------------------------------------------------------------------
    // A new project: the filter's minimum dB from the preferences, then the new-document notices.
    void OnNewDocument();
    // Reads the project at path (nothing changes when that fails), closes every unused Advanced
    // PM project, sends the new-document notices and takes the first undo point.
    bool OnOpenDocument(const std::string& path);
    // Editors store their fields (about to save), then the safe save; the document becomes
    // unmodified at the current version. Saving over its own file after another program changed or
    // removed it asks first (default No).
    bool OnSaveDocument(const std::string& path);
    // Closing, to the views.
    void OnCloseDocument();
    const std::string& GetPathName() const { return m_strPathName; }
    // An Advanced PM project as File New left it: untitled, unmodified, without bands or
    // coefficients. Opening a project closes it.
    bool IsUnusedAdvancedProject() const;
    // The new-document notices: time and data views, then the frequency view.
    void SendNewDocumentNotices();

    bool IsModified() const { return m_bDirty; }
    // The view owner hears of every change of the flag.
    void SetModifiedFlag(bool modified = true);

    // ---- notifications and undo ----------------------------------------------------------
    // Modified, coefficients notice, undo point.
    void OnFilterChanged();
    // Modified, sample-rate notice, undo point.
    void OnSampleRateChanged();
    // Takes an undo point unless suspended; the redo states are dropped.
    void CheckPoint();
    bool CanUndo() const { return m_undo.size() > 1; }
    bool CanRedo() const { return !m_redo.empty(); }
    // Restore the previous (next) state; the coefficients notice, and the sample-rate notice when
    // the sampling frequency text changed. Neither takes an undo point nor changes the modified
    // flag.
    void OnUndo();
    void OnRedo();
    int UndoDepth() const { return m_undo.empty() ? 0 : static_cast<int>(m_undo.size()) - 1; }
    // Reads the state before the last change (the one Undo restores) into state; false when
    // there is none.
    bool ReadPreviousState(CFirProject& state) const;
    int RedoDepth() const { return static_cast<int>(m_redo.size()); }
    // While suspended (counted), CheckPoint does nothing.
    void SuspendUndo() { ++m_nSuspend; }
    void ResumeUndo() { --m_nSuspend; }

    // ---- remembered values not kept in the project file ----------------------------------
    CFs m_SampRate;
    CZeroPadSettings m_ZeroPad;
    CPolyphaseSettings m_Polyphase;
    CTruncateSettings m_Truncate;
    CQuantizeSettings m_Quantize;
    int m_nDesignOptionsPage = 0; // page of the design options sheet last closed with OK

private:
    using Snapshot = std::vector<uint8_t>;
    Snapshot TakeSnapshot() const;
    void Restore(const Snapshot& snapshot);
    void OnChangedViewList();
    void CloseEmptyAdvancedProjects();
    std::string SampleRateText() const;
    void SendRestoreNotices(const std::string& fsBefore);
    void NotifyStateChanged();

    CHost& m_host;
    CViewOwner* m_pOwner;
    const CPreferences* m_pPrefs = nullptr;
    std::vector<CDocView*> m_views;
    std::deque<Snapshot> m_undo; // front: the current state
    std::deque<Snapshot> m_redo; // front: the state undone last
    int m_nSuspend = 0;
    bool m_bDirty = false;
    std::string m_strPathName;
    // The project file as it was when last opened or saved here.
    SFileStamp m_diskStamp;
};

// Suspends a document's undo points for the lifetime of a scope.
class CUndoSuspend {
public:
    explicit CUndoSuspend(CFirDoc& doc) : m_doc(doc) { m_doc.SuspendUndo(); }
    ~CUndoSuspend() { m_doc.ResumeUndo(); }
    CUndoSuspend(const CUndoSuspend&) = delete;
    CUndoSuspend& operator=(const CUndoSuspend&) = delete;

private:
    CFirDoc& m_doc;
};
