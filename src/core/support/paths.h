#pragma once

#include <string>

// Path helpers. Separators are "/" and, for paths from other systems, "\" and ":".
std::string FileNameOf(const std::string& path);  // text after the last separator
std::string DirectoryOf(const std::string& path); // text up to and including the last separator
std::string NameWithoutExtension(const std::string& path); // file name without its extension
std::string ReplaceExtension(const std::string& path, const std::string& ext); // ext like ".cfp"
std::string ExtensionOf(const std::string& path); // ".cfp", or "" when there is none
bool FileExists(const std::string& path);
// Creates a new empty file with a unique name in the system temporary folder and returns its
// path; "" when none could be made.
std::string UniqueTempFile(const std::string& prefix);
// Changes the current directory; on failure `error` is "Cannot change to <path>".
bool ChangeDirectory(const std::string& path, std::string& error);
