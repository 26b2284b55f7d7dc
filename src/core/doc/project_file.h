#pragma once

#include "design/fir_data.h"
#include "design/quant_options.h"
#include "doc/dialog_settings.h"
#include "io/data_files.h"
#include "support/archive.h"

#include <cstdint>
#include <string>
#include <vector>

class CHost;

// One project as its file holds it: the version word, the filter with its design, the
// remembered settings of the operation dialogs and the document's own values. The same stream
// serves the project file and the in-memory undo snapshots.
class CFirProject {
public:
    static constexpr int kCurrentVersion = kProjectStreamVersion;
    // Design type codes a project file may carry and this program opens.
    static constexpr int kLastOpenableType = 7;

    explicit CFirProject(CHost* pHost = nullptr);

    // Writes the whole project at the current version with the filter's design type.
    void Serialize(CArchiveWriter& ar) const;
    // Reads a whole project of any version from 3 on. A newer version is warned about through
    // the host and read as far as the current layout goes. Throws CArchiveException on a short
    // or unreadable stream, leaving this project unchanged.
    void Serialize(CArchiveReader& ar);

    // Reads only the version word: (version, design type code).
    static std::pair<int, int> ReadVersionWord(CArchiveReader& ar);

    std::vector<uint8_t> ToBytes() const;

    int m_nFileVersion = kCurrentVersion; // version the project was read with
    int m_nDesignType = kDesignNone;      // type code of the version word
    CFirData m_Filter;
    SViewSettings m_View; // kept in the filter's section of the file
    CGenerateSettings m_Generate;
    CMixSettings m_Mix;
    CScaleSettings m_Scale;
    CCombFillSettings m_CombFill;
    CDataFiles m_DataFiles;
    CWindowSettings m_Window;
    QuantOptions m_QuantDialog;
    int m_nReservedA = 1;       // kept and written back unchanged
    double m_dReservedB = 10.0; // kept and written back unchanged
    std::string m_strTitle;     // the document title
    bool m_bModified = false;   // read from an older version: the next save converts it

private:
    template <class Fields, class Self> static void DescribeFields(Fields& f, Self& s);
    void ReadSections(CArchiveReader& ar, int nVersion);
    // The tagged sections after the title (the unquantized coefficients).
    void WriteAppendedSections(CArchiveWriter& ar) const;
    void ReadAppendedSections(CArchiveReader& ar);
    CHost* m_pHost;
};

// The design type an extension selects without reading the file: ".cfa" Advanced PM and
// ".cfs" Simple PM in any letter case; -1 for any other.
int DesignTypeOfExtension(const std::string& path);

enum class ELoadResult { Ok, Failed, UnknownType };

// Opens a project by path: the type comes from the extension (".cfa", ".cfs") or the version
// word; the whole project is read into a new object and replaces `project` only when it was read
// completely. Every failure is reported once through the host (an unknown type too, unlike the
// silent refusal of the desktop chooser, so a batch user learns why). The notice about an older
// version is shown after a successful read and marks the project modified.
ELoadResult LoadProject(const std::string& path, CFirProject& project, CHost& host);

// The most taps a project may hold: its file (16 bytes a tap) then stays within the largest file
// the program reads back, with room for the design and the settings.
inline constexpr int64_t kMaxProjectTaps = 4000000;

// Saves through a temporary file beside the target that is renamed over it, so a failed save
// never destroys the previous file. A project too large to be read back is refused before
// anything is written. Reports a failure through the host.
bool SaveProject(const std::string& path, const CFirProject& project, CHost& host);
