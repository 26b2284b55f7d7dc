#include "data/data_file_state.h"

#include "support/archive.h"
#include "support/paths.h"

void SDataFileState::Serialize(CArchiveWriter& ar, int nVersion) const {
    m_FormatOpts.Serialize(ar, nVersion);
    ar.WriteString(m_strPath);
    ar.WriteInt32(m_bReportOpenErrors);
}

void SDataFileState::Serialize(CArchiveReader& ar, int nVersion) {
    m_FormatOpts.Serialize(ar, nVersion);
    m_strPath = ar.ReadString();
    m_bReportOpenErrors = ar.ReadInt32();
}

std::string SDataFileState::ResolvePath(const std::string& path) const {
    if (!path.empty() && path[0] == '.')
        return DirectoryOf(m_strPath) + path;
    return path;
}
