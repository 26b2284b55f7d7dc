#pragma once

#include "io/format_state.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CDataColumn;
class CFileFormatOpts;
class CHost;
class CLineReader;
struct SFileToWrite;

// How the points of one write are spelled: the format actually written, its word length and
// the field widths of the text formats; line counts the points written so far.
struct SPointText {
    int code = 0;
    int bits = 0;
    int decWidth = 0;
    int decDigits = 0;
    int fixedWidth = 0;
    int line = 0;
    int count = 0; // points in the file
};

// A data file held in memory; the points begin at dataOffset (binary formats with a header).
struct SFileBytes {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t dataOffset = 0;
};

// The columns a read fills (b null: one column) and what ended the read.
struct SReadColumns {
    std::vector<double>* a = nullptr;
    std::vector<double>* b = nullptr;
    int badLine = 0;      // text: line of the first value that is not a finite number
    int stoppedAt = 0;    // text: a line that did not scan with text at or after it
    size_t badSample = 0; // binary: 1-based point of the first value that is not finite
};

// The columns of a write: a and b (null: one column), n the points every column of the signal
// holds, step the polyphase interleave of the index order (1 normally).
struct SColumnsToWrite {
    const CDataColumn* a = nullptr;
    const CDataColumn* b = nullptr;
    int n = 0;
    int step = 1;
};

// One data file format's reader and writer: the steps of WriteDataBytes and ReadDataBytes
// that differ between formats. A step a format does not override does nothing (a format that
// has no object here reads no points and writes none).
class CDataFormat {
public:
    virtual ~CDataFormat() = default;

    // ---- writing ------------------------------------------------------------------------
    // Refuses (reported, false) a write of two columns when the format holds one.
    virtual bool AcceptColumns(int code, bool twoColumns, CHost& host) const;
    // Settles what the header needs before anything is written (WAVE: the header of n points
    // in state.wave); false (reported) refuses the write.
    virtual bool PrepareWrite(SFormatState& state, int n, int channels, CHost& host) const;
    // Bytes before the points of n points; may settle the code written in state (WAVE: the
    // sample size).
    virtual void WriteHeader(SFormatState& state, int n, std::string& out) const;
    // Field widths of the fixed-point texts, given the full scale.
    virtual int FixedWidth(int bits, double fullScale) const;
    // Whether the format writes its points one by one (WritePoint); false: header only.
    virtual bool WritesPoints() const { return false; }
    // Point i, values already multiplied by the full scale (b null: one column).
    virtual void WritePoint(std::string& out, const SPointText& text, int i, double a,
                            const double* b) const;
    // Bytes after the points.
    virtual void WriteFooter(const SPointText& text, std::string& out) const;

    // ---- whole files (the code exporters) -------------------------------------------------
    // Whether the format makes its files from the columns itself (MakeFiles) instead of
    // through the point steps above.
    virtual bool WritesWholeFiles() const { return false; }
    // The files of a write to path (empty: the bytes go elsewhere): the format's own file
    // first, then those it writes beside it. False (reported) refuses the write.
    virtual bool MakeFiles(const CFileFormatOpts& opts, const SColumnsToWrite& columns,
                           const std::string& path, std::vector<SFileToWrite>& files,
                           CHost& host) const;

    // ---- reading ------------------------------------------------------------------------
    // Reads or skips the header (titles, count lines, WAVE header); false (reported) refuses
    // the file.
    virtual bool ReadHeader(SFormatState& state, CLineReader& reader, SFileBytes& file,
                            CHost& host) const;
    // The points after the header into columns; false (reported) refuses the file. The default
    // reads text lines through ScanLine until one does not scan.
    virtual bool ReadPoints(SFormatState& state, CLineReader& reader, const SFileBytes& file,
                            SReadColumns& columns, CHost& host) const;
    // One text line (commas already turned into spaces) into values[0] and, when wantB,
    // values[1]; scale turns a fixed-point word into a fraction. False when the line does not
    // hold the values needed.
    virtual bool ScanLine(const std::string& line, int bits, double scale, bool wantB,
                          double values[2]) const;
};

// The reader and writer of a format code (the WAVE codes 100 and 101 included); a code without
// one gets the object whose steps do nothing.
const CDataFormat& DataFormatOf(int code);
