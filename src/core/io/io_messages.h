#pragma once

#include "support/file_messages.h" // opening, reading and writing any file

// Messages of the data file readers and writers, the code exporters and the import and export
// flows. Placeholders are the 1-based %1, %2 of FormatMessage.

// Reading and writing data files.
extern const char* const kMsgInvalidHeader;         // follows the WAVE header's own message
extern const char* const kMsgOneChannelOnly;        // exclamation
extern const char* const kMsgNotWaveFile;           //
extern const char* const kMsgUnknownWaveFormatting; //
extern const char* const kMsgUnsupportedWaveFormat; //
extern const char* const kMsgWaveDataChunkMissing;  //
extern const char* const kMsgNoFormatOptions;       //
extern const char* const kMsgOverflowQuestion;      // question, Yes/No
extern const char* const kMsgStepDoesNotDivide;     // %1 point count, %2 interleave factor
extern const char* const kMsgFormatCannotBeWritten; // %1 format name or code
extern const char* const kMsgNotFiniteAtLine;       // %1 file name, %2 line number
extern const char* const kMsgReadStoppedAtLine;     // %1 file name, %2 line, %3 values read
extern const char* const kMsgNotFiniteAtSample;     // %1 file name, %2 sample number
extern const char* const kMsgWaveEndsEarly;         // exclamation; %1 read, %2 announced
extern const char* const kMsgWaveTooLong;           //

// Import and export flows.
extern const char* const kMsgNoInputFiles;
extern const char* const kMsgFileMissingOrBusy; // %1 path
extern const char* const kMsgBadFormatOrNoData;
extern const char* const kMsgSpecifyComplexName;
extern const char* const kMsgSpecifyInphaseName;
extern const char* const kMsgSpecifyBothNames;
extern const char* const kMsgDataIsComplex;
extern const char* const kMsgInterleaveTooSmall;
