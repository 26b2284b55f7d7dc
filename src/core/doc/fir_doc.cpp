#include "doc/fir_doc.h"

#include "doc/doc_messages.h"
#include "response/response_types.h"
#include "support/archive.h"
#include "support/format_number.h"
#include "support/host.h"
#include "support/paths.h"

#include <algorithm>

namespace {

std::vector<CFirDoc*>& DocumentList() {
    static std::vector<CFirDoc*> documents;
    return documents;
}

const CPreferences kDefaultPreferences;

} // namespace

CFirDoc::CFirDoc(CHost& host, CViewOwner* pOwner)
    : CFirProject(&host), m_host(host), m_pOwner(pOwner) {
    DocumentList().push_back(this);
}

CFirDoc::~CFirDoc() {
    auto& list = DocumentList();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

const std::vector<CFirDoc*>& CFirDoc::Documents() {
    return DocumentList();
}

const CPreferences& CFirDoc::Preferences() const {
    return m_pPrefs ? *m_pPrefs : kDefaultPreferences;
}

// ---- views -------------------------------------------------------------------------------

void CFirDoc::AddView(CDocView& view) {
    if (std::find(m_views.begin(), m_views.end(), &view) == m_views.end())
        m_views.push_back(&view);
    OnChangedViewList();
}

void CFirDoc::RemoveView(CDocView& view) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), &view), m_views.end());
    OnChangedViewList();
    if (m_views.empty() && m_pOwner)
        m_pOwner->OnLastViewClosed(*this);
}

void CFirDoc::OnChangedViewList() {
    for (const CDocView* view : m_views) {
        const int type = view->EditorDesignType();
        if (type >= 0) {
            m_nDesignType = type;
            m_Filter.SetDesignType(type);
            return;
        }
    }
}

void CFirDoc::UpdateAllViews(const SChangeNotice& notice) {
    // A view may close itself on a notice: walk a copy.
    const std::vector<CDocView*> views = m_views;
    for (CDocView* view : views)
        view->OnUpdate(*this, notice);
}

void CFirDoc::RequestView(const SViewRequest& request) {
    if (m_pOwner)
        m_pOwner->OpenView(*this, request);
    m_Filter.m_strName = request.title;
    UpdateAllViews(request.notice);
}

// ---- life cycle --------------------------------------------------------------------------

void CFirDoc::SendNewDocumentNotices() {
    UpdateAllViews(Notice::kNewTime);
    UpdateAllViews(m_Filter.IsReal() ? Notice::kNewFreqReal : Notice::kNewFreqComplex);
}

void CFirDoc::OnNewDocument() {
    m_Filter.m_dMinDb = Preferences().m_dMinDb;
    SendNewDocumentNotices();
}

bool CFirDoc::OnOpenDocument(const std::string& path) {
    CFirProject loaded(&m_host);
    const SFileStamp stamp = StampOfFile(path);
    if (LoadProject(path, loaded, m_host) != ELoadResult::Ok)
        return false;
    static_cast<CFirProject&>(*this) = std::move(loaded);
    m_strPathName = path;
    m_diskStamp = stamp;
    m_bDirty = m_nFileVersion < kCurrentVersion;
    CloseEmptyAdvancedProjects();
    SendNewDocumentNotices();
    OnChangedViewList();
    CheckPoint();
    return true;
}

void CFirDoc::CloseEmptyAdvancedProjects() {
    if (!m_pOwner)
        return;
    std::vector<CFirDoc*> empty;
    for (CFirDoc* doc : Documents())
        if (doc != this && doc->IsUnusedAdvancedProject())
            empty.push_back(doc);
    for (CFirDoc* doc : empty)
        m_pOwner->CloseDocument(*doc);
}

bool CFirDoc::IsUnusedAdvancedProject() const {
    return m_nDesignType == kDesignAdvancedPm && m_strPathName.empty() && !m_bDirty &&
           !m_Filter.HasCoefficients() && m_Filter.GetNumBands() == 0;
}

bool CFirDoc::OnSaveDocument(const std::string& path) {
    if (path == m_strPathName && m_diskStamp.exists && StampOfFile(path) != m_diskStamp &&
        !m_host.AskYesNo(FormatMessage(DocMsg::kChangedOnDisk, {path}), EAnswer::No))
        return false;
    UpdateAllViews(Notice::kAboutToSave);
    if (m_strPathName != path)
        m_strTitle = FileNameOf(path);
    if (!SaveProject(path, *this, m_host))
        return false;
    m_diskStamp = StampOfFile(path);
    m_strPathName = path;
    m_nFileVersion = kCurrentVersion;
    m_bDirty = false;
    return true;
}

void CFirDoc::OnCloseDocument() {
    UpdateAllViews(Notice::kClosing);
}

// ---- notifications and undo --------------------------------------------------------------

void CFirDoc::SetModifiedFlag(bool modified) {
    if (m_bDirty == modified)
        return;
    m_bDirty = modified;
    NotifyStateChanged();
}

void CFirDoc::NotifyStateChanged() {
    if (m_pOwner)
        m_pOwner->OnStateChanged(*this);
}

void CFirDoc::OnFilterChanged() {
    SetModifiedFlag();
    UpdateAllViews(Notice::kCoefficients);
    CheckPoint();
}

void CFirDoc::OnSampleRateChanged() {
    SetModifiedFlag();
    UpdateAllViews(Notice::kSampleRate);
    CheckPoint();
}

CFirDoc::Snapshot CFirDoc::TakeSnapshot() const {
    CArchiveWriter ar;
    Serialize(ar);
    return ar.TakeBytes();
}

bool CFirDoc::ReadPreviousState(CFirProject& state) const {
    if (m_undo.size() < 2)
        return false;
    CArchiveReader ar(m_undo[1]);
    state.Serialize(ar); // its gridded response is computed only if something asks for it
    return true;
}

void CFirDoc::Restore(const Snapshot& snapshot) {
    // The design type belongs to the editor, the version word to the file and the exchange engine
    // to the session, not to a state.
    const int designType = m_nDesignType;
    const int fileVersion = m_nFileVersion;
    const ERemezEngine engine = m_Filter.m_eRemezEngine;
    {
        // The gridded response follows when first needed, at the resolution it had.
        CArchiveReader ar(snapshot);
        Serialize(ar);
    }
    m_nDesignType = designType;
    m_nFileVersion = fileVersion;
    m_Filter.m_eRemezEngine = engine;
}

void CFirDoc::CheckPoint() {
    if (m_nSuspend > 0)
        return;
    Snapshot snapshot = TakeSnapshot();
    if (static_cast<int>(m_undo.size()) > kMaxUndoDepth)
        m_undo.pop_back();
    m_undo.push_front(std::move(snapshot));
    m_redo.clear();
    NotifyStateChanged();
}

std::string CFirDoc::SampleRateText() const {
    return m_Filter.m_Fs.GetFsText();
}

void CFirDoc::SendRestoreNotices(const std::string& fsBefore) {
    UpdateAllViews(Notice::kCoefficients);
    if (SampleRateText() != fsBefore)
        UpdateAllViews(Notice::kSampleRate);
}

void CFirDoc::OnUndo() {
    if (!CanUndo())
        return;
    const std::string fsBefore = SampleRateText();
    Restore(m_undo[1]);
    m_redo.push_front(std::move(m_undo.front()));
    m_undo.pop_front();
    SendRestoreNotices(fsBefore);
}

void CFirDoc::OnRedo() {
    if (!CanRedo())
        return;
    const std::string fsBefore = SampleRateText();
    Restore(m_redo.front());
    if (static_cast<int>(m_undo.size()) > kMaxUndoDepth)
        m_undo.pop_back();
    m_undo.push_front(std::move(m_redo.front()));
    m_redo.pop_front();
    SendRestoreNotices(fsBefore);
}
