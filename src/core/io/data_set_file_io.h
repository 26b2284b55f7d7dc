#pragma once

#include "data/corvi_data.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Data files in the format of opts, read into and written from the columns of a signal. The
// signal's host receives the messages and questions (none: messages are dropped and questions
// take their default).

// Reads a file held in memory into column columnA and, unless columnB is -1, columnB (both
// emptied first); returns whether columnA holds a value afterwards. name is the file's name in
// messages.
bool ReadDataSet(CCorviData& set, CFileFormatOpts& opts, const uint8_t* data, size_t size,
                 int columnA, int columnB, const std::string& name = std::string());
// Reads the file at path (resolved by the signal's file state); an empty path or a file that cannot
// be opened gives false, the latter reported when its m_bReportOpenErrors is set.
bool ReadDataSetFile(CCorviData& set, CFileFormatOpts& opts, const std::string& path, int columnA,
                     int columnB);
// Appends the file's bytes for column columnA and, unless columnB is -1, columnB, in the index
// order of step (polyphase interleaving; 1 normally) to out. Returns 1 when written, 0 when
// refused or when the user declined the overflow question.
int WriteDataSet(CCorviData& set, CFileFormatOpts& opts, std::string& out, int columnA, int columnB,
                 int step);
// Writes the file at path; an empty path writes nothing and gives 1. The file is left as it was
// when the writing gives 0.
int WriteDataSetFile(CCorviData& set, CFileFormatOpts& opts, const std::string& path, int columnA,
                     int columnB, int step);

// Puts the rest of a document around the written points of a format: body holds the points and
// receives the whole file; path is the file being written (empty when the bytes go elsewhere).
using FDocumentFrame = void (*)(const CCorviData& set, const std::string& path, std::string& body);
// Sets the frame of a format's files (nullptr: the points alone), for a layer above io that
// knows what the document around the points holds.
void SetDocumentFrame(int format, FDocumentFrame frame);
