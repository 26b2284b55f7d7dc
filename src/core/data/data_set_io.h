#pragma once

#include "data/data_set.h"
#include "data/format_options.h"

#include <cstddef>
#include <cstdint>
#include <string>

class CHost;

// A data set with the state file reading and writing need: the format options chosen for it,
// a base path for relative file names and whether open failures are reported.
class CDataSetIO : public CDataSet {
public:
    // path: base for file names that begin with "."; host: where messages go (may be null).
    explicit CDataSetIO(const std::string& path = std::string(), CHost* pHost = nullptr);

    using CDataSet::Serialize;
    // The data set, the format options given nVersion, the path and the report flag.
    virtual void Serialize(CArchiveWriter& ar, int nVersion) const;
    // On a short stream throws CArchiveException and leaves this part unchanged.
    virtual void Serialize(CArchiveReader& ar, int nVersion);

    // Data files in the format of opts (defined with the readers and writers in io/).
    // Reads a file held in memory into column columnA and, unless columnB is -1, columnB (both
    // emptied first); returns whether columnA holds a value afterwards. name is the file's name
    // in messages.
    bool Read(CFileFormatOpts& opts, const uint8_t* data, size_t size, int columnA, int columnB,
              const std::string& name = std::string());
    // Reads the file at path (resolved by ResolvePath); an empty path or a file that cannot be
    // opened gives false, the latter reported when m_bReportOpenErrors is set.
    bool ReadFile(CFileFormatOpts& opts, const std::string& path, int columnA, int columnB);
    // Appends the file's bytes for column columnA and, unless columnB is -1, columnB, in the
    // index order of step (polyphase interleaving; 1 normally) to out. Returns 1 when written,
    // 0 when refused or when the user declined the overflow question.
    virtual int Write(CFileFormatOpts& opts, std::string& out, int columnA, int columnB, int step);
    // Writes the file at path; an empty path writes nothing and gives 1. The file is left as it
    // was when Write gives 0.
    int WriteFile(CFileFormatOpts& opts, const std::string& path, int columnA, int columnB,
                  int step);
    // A path that begins with "." taken relative to the directory of m_strPath.
    std::string ResolvePath(const std::string& path) const;

    CHost* GetHost() const { return m_pHost; }
    void SetHost(CHost* pHost) { m_pHost = pHost; }

    CFileFormatOpts m_FormatOpts;
    std::string m_strPath;
    // 1: a file that cannot be opened for reading is reported; 0: reading just fails.
    int m_bReportOpenErrors = 0;
    // The file WriteFile is writing (resolved path) while it calls Write, for writers whose
    // text names the file; empty otherwise. Not archived.
    std::string m_strWritingPath;

protected:
    // Exchanges the data set and file state (not the host) with another object.
    void SwapDataSetIO(CDataSetIO& other) noexcept;

    CHost* m_pHost = nullptr;
};
