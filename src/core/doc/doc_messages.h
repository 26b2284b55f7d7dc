#pragma once

// Texts of the project file and its documents.
namespace DocMsg {
inline constexpr const char* kNewerVersion =
    "This Project file is for a newer version of this program. Please download\nthe latest "
    "version of the program from the Brenmoor Web Site at:";
inline constexpr const char* kPreviousVersion =
    "This Project file was created by a previous version of\nthe program. It will be saved in "
    "the current format.";
inline constexpr const char* kUnreadableProject =
    "The project file \"%1\" is damaged or is not a project file (%2).";
inline constexpr const char* kCannotSave = "Cannot save the project file \"%1\": %2";
inline constexpr const char* kChangedOnDisk =
    "The project file \"%1\" was changed or removed by another program since it was opened or "
    "saved here.\nReplace it with this project?";
inline constexpr const char* kUnknownProjectType =
    "The project file \"%1\" holds a design type (%2) that this program cannot open.";
inline constexpr const char* kProjectFilter =
    "CorviFIR Projects (*.cfp)|*.cfp|All Files (*.*)|*.*||";
inline constexpr const char* kMakerWebAddress = "https://corvifir.org";
} // namespace DocMsg
