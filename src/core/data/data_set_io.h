#pragma once

#include "data/data_set.h"
#include "data/format_options.h"

#include <string>

class CHost;

// A data set with the state file reading and writing need: the format options chosen for it,
// a base path for relative file names and whether open failures are reported. The readers and
// writers themselves are io's (io/data_set_file_io.h).
class CDataSetIO : public CDataSet {
public:
    // path: base for file names that begin with "."; host: where messages go (may be null).
    explicit CDataSetIO(const std::string& path = std::string(), CHost* pHost = nullptr);

    using CDataSet::Serialize;
    // The data set, the format options given nVersion, the path and the report flag.
    virtual void Serialize(CArchiveWriter& ar, int nVersion) const;
    // On a short stream throws CArchiveException and leaves this part unchanged.
    virtual void Serialize(CArchiveReader& ar, int nVersion);

    // A path that begins with "." taken relative to the directory of m_strPath.
    std::string ResolvePath(const std::string& path) const;

    CHost* GetHost() const { return m_pHost; }
    void SetHost(CHost* pHost) { m_pHost = pHost; }

    CFileFormatOpts m_FormatOpts;
    std::string m_strPath;
    // 1: a file that cannot be opened for reading is reported; 0: reading just fails.
    int m_bReportOpenErrors = 0;

protected:
    // Exchanges the data set and file state (not the host) with another object.
    void SwapDataSetIO(CDataSetIO& other) noexcept;

    CHost* m_pHost = nullptr;
};
