#pragma once

#include "data/format_options.h"

#include <functional>
#include <string>
#include <vector>

class CArchiveReader;
class CArchiveWriter;
class CCorviData;
class CHost;

// The file types offered by "Browse...", as pairs of description and patterns separated by "|".
extern const char* const kDataFilesFilter;

// Which controls of the data file dialog are enabled or shown for the present settings.
struct SDataFilesControls {
    bool inphaseOptions = false;    // "Options..." of the first file
    bool complex = false;           // "Complex"
    bool quadrature = false;        // name, "Browse..." and format of the second file
    bool quadratureOptions = false; // "Options..." of the second file
    bool interleaveVisible = false; // "Polyphase Interleaving" group and "Factor"
    bool factor = false;            // "Factor" enabled
};

// The settings of the data file dialog of a project (one or two files, their formats, the
// complex switch and the polyphase interleaving of exports) and the import and export flows
// that use them. The dialog itself only shows these fields; the command line fills them
// directly.
class CDataFiles {
public:
    enum EInterleave { None = 0, Forward = 1, Reverse = 2 };

    // Shows the dialog on the settings; true when it was accepted with OK.
    using FRunDialog = std::function<bool(CDataFiles&)>;

    CDataFiles();

    // Paths, complex, interleave mode and factor, then both format records given nVersion.
    void Serialize(CArchiveWriter& ar, int nVersion) const;
    // Complex is read from version 6 on, the interleave fields from version 9 on; the names
    // become the file-name parts of the paths. On a short stream throws CArchiveException and
    // leaves the settings unchanged.
    void Serialize(CArchiveReader& ar, int nVersion);

    // The fixed-point word length of both records, bits.
    void SetWordLength(int bits);
    // Sets both paths and the names shown for them.
    void SetPaths(const std::string& inphasePath, const std::string& quadraturePath);

    // Runs the dialog once and imports into target; nonzero on success.
    int Import(const std::string& title, CCorviData& target, const std::string& documentName,
               CHost& host, const FRunDialog& runDialog);
    // Runs the dialog until its settings pass the checks (or it is cancelled) and exports from
    // source. Returns 1 when every named file was written, 0 when one failed (the quadrature file
    // is not tried after a failed inphase one) or the dialog was cancelled.
    int Export(const std::string& title, CCorviData& source, const std::string& documentName,
               CHost& host, const FRunDialog& runDialog);

    // Steps of the flows, for a dialog that runs its own loop.
    // Title, default names of the code export options and the import/export mode.
    void PrepareDialog(const std::string& title, const std::string& documentName, bool import,
                       bool dataReal);
    std::string DialogTitle() const { return m_strTitle + " " + m_strDocName; }
    SDataFilesControls GetControls() const;
    // What OK stores: each format by its name and each path as the folder of the previous path
    // followed by the name typed (trimmed of spaces; a name with a folder is the path).
    void ApplyDialog(const std::string& inphaseName, const std::string& inphaseFormat,
                     const std::string& quadratureName, const std::string& quadratureFormat);
    // The import after an accepted dialog.
    int RunImport(CCorviData& target, CHost& host);
    // False, with the message of the first check that fails, when the settings cannot export n
    // points.
    bool CheckExport(int n, std::string& text) const;
    // The export after the checks have passed.
    int RunExport(CCorviData& source, CHost& host);
    // Index step of the writer for the interleave settings.
    int WriteStep() const;

    std::string m_strPathI; // inphase (or complex) file
    std::string m_strNameI;
    CFileFormatOpts m_FormatI;
    std::string m_strPathQ; // quadrature file
    std::string m_strNameQ;
    CFileFormatOpts m_FormatQ;
    int m_bComplex = 0; // one file holds I and Q
    int m_nInterleave = None;
    int m_nFactor = 0;
    bool m_bImport = false;
    int m_bReal = 1; // the data's IsReal when the dialog was opened
    std::string m_strTitle;
    std::string m_strDocName;
    // Paths written by the last export, in order.
    std::vector<std::string> m_writtenFiles;
    // The inphase values of the data an export dialog is open for, for the implementation
    // summary of the hardware formats' options.
    std::vector<double> m_exportTaps;

private:
    bool QuadratureEnabled() const;
};
