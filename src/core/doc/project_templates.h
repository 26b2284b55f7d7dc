#pragma once

#include <array>
#include <string>
#include <vector>

class CSettingsStore;

// One row per design method a project can be made with: its type code, the name of its project
// template, its editor and the natural size of the editor's form.
struct CProjectTemplate {
    int designType;
    const char* docName;     // the template's document name ("SimplePm", ...)
    const char* editorClass; // the editor shown in the project window's upper left pane
    const char* chooserCaption;
    int formWidthDu;  // form size in dialog units (a quarter of the average character width)
    int formHeightDu; // (an eighth of the character height)
};

// The eight methods in type order (0 .. 7).
const std::array<CProjectTemplate, 8>& ProjectTemplates();
// The row of a design type; nullptr for a type no template opens (8, 9, none, anything else).
const CProjectTemplate* TemplateOfType(int designType);
// The editor's form row by editor class; an editor not listed takes the Advanced PM form.
const CProjectTemplate& FormOfEditor(const std::string& editorClass);

namespace ShellText {
inline constexpr const char* kAppName = "CorviFIR";
inline constexpr const char* kCompany = "Brenmoor";
inline constexpr const char* kProjectExtension = ".cfp";
// The older single-method extensions, opened as Advanced and Simple Parks-McClellan projects.
inline constexpr const char* kAdvancedPmExtension = ".cfa";
inline constexpr const char* kSimplePmExtension = ".cfs";
inline constexpr const char* kChooserTitle = "Create or Open a FIR Filter Design Project";
inline constexpr const char* kChooserCreateGroup = "Create a New Project";
inline constexpr const char* kChooserOpenGroup = "Open an Existing Project";
inline constexpr const char* kBrowse = "Browse...";
inline constexpr const char* kSaveChanges = "Save changes to %1?";
inline constexpr const char* kTapsPane = "%d Taps";
inline constexpr const char* kTapsPaneWidthText = "(Empty)";
} // namespace ShellText

// The chooser's radio buttons, in the order shown: each entry is a design type.
const std::array<int, 8>& ChooserTypes();

// The chooser's file list: the non-empty recent files, then every "*.cf?" regular file of
// `folder` as a full path, without repeating a path already listed.
std::vector<std::string> ChooserFileList(const std::vector<std::string>& recent,
                                         const std::string& folder);

// What the chooser's OK opens: a new project of a type, or an existing file.
struct CChooserResult {
    int designType = 0; // when path is empty: the type of the new project
    std::string path;   // when not empty: the project to open
};
// radioIndex is the checked button (-1 for none); rememberedPath the file chosen in the list or
// through Browse.... With no button and no file a new Simple Parks-McClellan project is made.
CChooserResult ResolveChooserChoice(int radioIndex, const std::string& rememberedPath);

// The most recently used project files, newest first, at most four, kept in the settings under
// "Recent File List" as "File1" .. "File4".
class CRecentFileList {
public:
    static constexpr int kSize = 4;
    void Read(CSettingsStore& store);
    void Write(CSettingsStore& store) const;
    // Moves (or adds) the path to the top, dropping the oldest beyond four.
    void Add(const std::string& path);
    void Remove(const std::string& path);
    const std::vector<std::string>& Entries() const { return m_entries; }

private:
    std::vector<std::string> m_entries;
};

// The design type a project file opens with, without reading the whole file: the type of the
// older extensions, else the version word's; -1 when the file cannot be read.
int PeekProjectType(const std::string& path);
