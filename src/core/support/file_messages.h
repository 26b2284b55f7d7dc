#pragma once

// Messages of reading and writing files. Placeholders are the 1-based %1, %2 of FormatMessage.
inline constexpr const char* kMsgCannotOpenFile = "Cannot open file \"%1\".";        // %1 path
inline constexpr const char* kMsgCannotReadFile = "Cannot read file \"%1\": %2";     // %2 reason
inline constexpr const char* kMsgCannotWriteFile = "Cannot write file \"%1\": %2";   // %2 reason
inline constexpr const char* kMsgIsDirectory = "it is a folder";                     // reasons
inline constexpr const char* kMsgNotRegularFile = "it is not a regular file";        //
inline constexpr const char* kMsgFileTooLarge = "it is larger than %1 bytes";        // %1 limit
inline constexpr const char* kMsgTooManyLinks = "too many levels of symbolic links"; //
inline constexpr const char* kMsgOutputIsInput = "The output file \"%1\" is also an input file.";
inline constexpr const char* kMsgOutputTwice = "The file \"%1\" is named for two outputs.";
