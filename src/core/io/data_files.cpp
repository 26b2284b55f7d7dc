#include "io/data_files.h"

#include "data/corvi_data.h"
#include "io/data_file_writer.h"
#include "io/data_set_file_io.h"
#include "io/format_state.h"
#include "io/io_messages.h"
#include "support/archive.h"
#include "support/file_access.h"
#include "support/format_number.h"
#include "support/host.h"
#include "support/paths.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

const char* const kDataFilesFilter =
    "All Files (*.*)|*.*|Text Files (*.txt;*.hex)|*.txt;*.hex|Assembly Files "
    "(*.asm;*.dsp;*.pm)|*.asm;*.dsp;*.pm|Binary Files (*.bin;*.dat)|*.bin; *.dat|Wave Files "
    "(*.wav)|*.wav||";
namespace {

std::string Trim(const std::string& s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return "";
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// A name typed for a file: taken in the folder of the previous path, or as the path itself
// when it names a folder.
void TakeName(const std::string& typed, std::string& path, std::string& name) {
    const std::string trimmed = Trim(typed);
    name = FileNameOf(trimmed);
    if (name.empty())
        path.clear();
    else if (name != trimmed)
        path = trimmed;
    else
        path = DirectoryOf(path) + name;
}

bool CanOpenForReading(const std::string& path) {
    return CanOpenWithoutWaiting(path);
}

// The wait cursor for the lifetime of a scope.
class CWaitCursor {
public:
    explicit CWaitCursor(CHost& host) : m_host(host) { m_host.BeginWaitCursor(); }
    ~CWaitCursor() { m_host.EndWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    CHost& m_host;
};

} // namespace

CDataFiles::CDataFiles() {
    m_FormatI.m_nFormat = kFormatDecimal;
    m_FormatQ.m_nFormat = kFormatDecimal;
}

void CDataFiles::Serialize(CArchiveWriter& ar, int nVersion) const {
    ar.WriteString(m_strPathI);
    ar.WriteString(m_strPathQ);
    ar.WriteInt16(static_cast<int16_t>(m_bComplex));
    ar.WriteInt32(m_nInterleave);
    ar.WriteInt32(m_nFactor);
    m_FormatI.Serialize(ar, nVersion);
    m_FormatQ.Serialize(ar, nVersion);
}

void CDataFiles::Serialize(CArchiveReader& ar, int nVersion) {
    const std::string pathI = ar.ReadString();
    const std::string pathQ = ar.ReadString();
    int complex = m_bComplex;
    if (nVersion > 5)
        complex = ar.ReadInt16();
    int interleave = m_nInterleave;
    int factor = m_nFactor;
    if (nVersion >= 9) {
        interleave = ar.ReadInt32();
        factor = ar.ReadInt32();
    }
    CFileFormatOpts formatI = m_FormatI;
    CFileFormatOpts formatQ = m_FormatQ;
    formatI.Serialize(ar, nVersion);
    formatQ.Serialize(ar, nVersion);
    SetPaths(pathI, pathQ);
    m_bComplex = complex;
    m_nInterleave = interleave;
    m_nFactor = factor;
    m_FormatI = std::move(formatI);
    m_FormatQ = std::move(formatQ);
}

void CDataFiles::SetWordLength(int bits) {
    m_FormatI.m_FixedPoint.m_nBits = bits;
    m_FormatQ.m_FixedPoint.m_nBits = bits;
}

void CDataFiles::SetPaths(const std::string& inphasePath, const std::string& quadraturePath) {
    m_strPathI = inphasePath;
    m_strNameI = FileNameOf(inphasePath);
    m_strPathQ = quadraturePath;
    m_strNameQ = FileNameOf(quadraturePath);
}

void CDataFiles::PrepareDialog(const std::string& title, const std::string& documentName,
                               bool import, bool dataReal) {
    m_strTitle = title;
    m_strDocName = documentName;
    m_bImport = import;
    m_bReal = dataReal ? 1 : 0;
    for (CFileFormatOpts* opts : {&m_FormatI, &m_FormatQ}) {
        opts->m_AsmOpts.SetDefaultName(documentName);
        opts->m_OptionsC.SetDefaultName(documentName);
    }
}

bool CDataFiles::QuadratureEnabled() const {
    return !m_bComplex && (m_bImport || !m_bReal);
}

SDataFilesControls CDataFiles::GetControls() const {
    SDataFilesControls c;
    c.inphaseOptions = FormatHasOptions(m_FormatI.m_nFormat);
    c.complex = m_bImport || !m_bReal;
    c.quadrature = QuadratureEnabled();
    c.quadratureOptions = c.quadrature && FormatHasOptions(m_FormatQ.m_nFormat);
    c.interleaveVisible = !m_bImport;
    c.factor = !m_bImport && m_nInterleave != None;
    return c;
}

void CDataFiles::ApplyDialog(const std::string& inphaseName, const std::string& inphaseFormat,
                             const std::string& quadratureName,
                             const std::string& quadratureFormat) {
    SelectFormat(m_FormatI, inphaseFormat);
    SelectFormat(m_FormatQ, quadratureFormat);
    TakeName(inphaseName, m_strPathI, m_strNameI);
    TakeName(quadratureName, m_strPathQ, m_strNameQ);
}

int CDataFiles::Import(const std::string& title, CCorviData& target,
                       const std::string& documentName, CHost& host, const FRunDialog& runDialog) {
    PrepareDialog(title, documentName, true, target.IsReal());
    if (!runDialog(*this))
        return 0;
    return RunImport(target, host);
}

int CDataFiles::RunImport(CCorviData& target, CHost& host) {
    m_strNameI = Trim(m_strNameI);
    m_strNameQ = Trim(m_strNameQ);
    const bool readI = !m_strNameI.empty();
    const bool readQ = !m_strNameQ.empty() && !m_bComplex;
    if (!readI && !readQ) {
        host.Error(kMsgNoInputFiles);
        return 0;
    }
    for (const auto& [read, path] : {std::pair{readI, m_strPathI}, std::pair{readQ, m_strPathQ}}) {
        if (read && !CanOpenForReading(target.m_File.ResolvePath(path))) {
            host.Error(FormatMessage(kMsgFileMissingOrBusy, {path}));
            return 0;
        }
    }
    target.RemoveAll();
    CWaitCursor wait(host);
    bool result = true;
    if (m_bComplex) {
        result = ReadDataSetFile(target, m_FormatI, m_strPathI, 0, 1);
    } else {
        if (readI)
            result = ReadDataSetFile(target, m_FormatI, m_strPathI, 0, -1);
        if (readQ && result)
            result = ReadDataSetFile(target, m_FormatQ, m_strPathQ, 1, -1);
    }
    target.EqualizeLengths(0.0);
    if (target.IsEmpty()) {
        host.Error(kMsgBadFormatOrNoData);
        return 0;
    }
    return result ? 1 : 0;
}

int CDataFiles::WriteStep() const {
    switch (m_nInterleave) {
    case Forward:
        return m_nFactor;
    case Reverse:
        return -std::max(m_nFactor, -std::numeric_limits<int>::max());
    default:
        return 1;
    }
}

bool CDataFiles::CheckExport(int n, std::string& text) const {
    const std::string nameI = Trim(m_strNameI);
    const std::string nameQ = Trim(m_strNameQ);
    text.clear();
    if (nameI.empty()) {
        if (m_bComplex)
            text = kMsgSpecifyComplexName;
        else if (m_bReal || !nameQ.empty())
            text = kMsgSpecifyInphaseName;
        else
            text = kMsgSpecifyBothNames;
    } else if (!m_bComplex && !m_bReal && nameQ.empty()) {
        text = kMsgDataIsComplex;
    } else if (m_nInterleave != None && m_nFactor <= 1) {
        text = kMsgInterleaveTooSmall;
    } else if (m_nInterleave != None && n % m_nFactor != 0) {
        text = FormatMessage(kMsgStepDoesNotDivide, {std::to_string(n), std::to_string(m_nFactor)});
    }
    return text.empty();
}

int CDataFiles::Export(const std::string& title, CCorviData& source,
                       const std::string& documentName, CHost& host, const FRunDialog& runDialog) {
    PrepareDialog(title, documentName, false, source.IsReal());
    const CDataColumn* inphase = source.Columns().GetColumn(0);
    m_exportTaps.assign(inphase->begin(), inphase->begin() + source.GetN());
    for (;;) {
        if (!runDialog(*this))
            return 0;
        std::string text;
        if (CheckExport(source.GetN(), text))
            break;
        host.ShowMessage(text, EMsgIcon::Question);
    }
    return RunExport(source, host);
}

int CDataFiles::RunExport(CCorviData& source, CHost& host) {
    m_writtenFiles.clear();
    const int step = WriteStep();
    CWaitCursor wait(host);
    if (!WriteDataSetFile(source, m_FormatI, m_strPathI, 0, m_bComplex ? 1 : -1, step))
        return 0;
    if (!m_strPathI.empty())
        m_writtenFiles.push_back(m_strPathI);
    // The quadrature file is written only while its controls are enabled, so a name left from
    // an earlier export of complex data never overwrites a file.
    if (QuadratureEnabled() && !Trim(m_strNameQ).empty()) {
        if (!WriteDataSetFile(source, m_FormatQ, m_strPathQ, 1, -1, step))
            return 0;
        m_writtenFiles.push_back(m_strPathQ);
    }
    return 1;
}
