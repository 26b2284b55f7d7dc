#pragma once

#include "data/format_options.h"

#include <string>

class CArchiveReader;
class CArchiveWriter;

// What a signal keeps for reading and writing its files: the format options chosen for it, a
// base path for relative file names and whether open failures are reported. The readers and
// writers themselves are io's (io/data_set_file_io.h).
struct SDataFileState {
    // The format options given nVersion, the path and the report flag.
    void Serialize(CArchiveWriter& ar, int nVersion) const;
    // Reads in place: format options an older version does not hold keep their values. On a
    // short stream throws CArchiveException (the fields read so far are changed).
    void Serialize(CArchiveReader& ar, int nVersion);

    // A path that begins with "." taken relative to the directory of m_strPath.
    std::string ResolvePath(const std::string& path) const;

    CFileFormatOpts m_FormatOpts;
    std::string m_strPath;
    // 1: a file that cannot be opened for reading is reported; 0: reading just fails.
    int m_bReportOpenErrors = 0;
};
