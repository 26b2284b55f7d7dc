#include "data/data_set_io.h"

#include "support/archive.h"
#include "support/paths.h"

#include <utility>

CDataSetIO::CDataSetIO(const std::string& path, CHost* pHost) : m_strPath(path), m_pHost(pHost) {}

std::string CDataSetIO::ResolvePath(const std::string& path) const {
    if (!path.empty() && path[0] == '.')
        return DirectoryOf(m_strPath) + path;
    return path;
}

void CDataSetIO::Serialize(CArchiveWriter& ar, int nVersion) const {
    CDataSet::Serialize(ar);
    m_FormatOpts.Serialize(ar, nVersion);
    ar.WriteString(m_strPath);
    ar.WriteInt32(m_bReportOpenErrors);
}

void CDataSetIO::Serialize(CArchiveReader& ar, int nVersion) {
    // Read into a scratch object so that a short stream leaves this one as it was.
    CDataSetIO in;
    in.m_FormatOpts = m_FormatOpts;
    in.CDataSet::Serialize(ar);
    in.m_FormatOpts.Serialize(ar, nVersion);
    in.m_strPath = ar.ReadString();
    in.m_bReportOpenErrors = ar.ReadInt32();
    SwapDataSetIO(in);
    OnColumnsReplaced();
}

void CDataSetIO::SwapDataSetIO(CDataSetIO& other) noexcept {
    SwapDataSet(other);
    std::swap(m_FormatOpts, other.m_FormatOpts);
    m_strPath.swap(other.m_strPath);
    std::swap(m_bReportOpenErrors, other.m_bReportOpenErrors);
}
