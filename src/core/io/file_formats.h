#pragma once

#include "fixed/fixed_word.h" // FullScaleOfWordLength

#include <cstdint>
#include <string>
#include <vector>

// Codes of the data file formats as they are stored in project files.
enum EFileFormatCode : int {
    kFormatNone = -1,
    kFormatDecimal = 0,
    kFormatPlot = 1,
    kFormatFir = 2,
    kFormatFract = 3,
    kFormatHex = 4,
    kFormatBinary = 5,
    kFormatAnalyzer = 6,
    kFormatC = 7,
    kFormatFloat = 8,
    kFormatDouble = 9,
    kFormatWave = 10,
    kFormatTiAsm = 11,
    kFormatAdiPm = 12,
    kFormatHtml = 13,
    kFormatCoe = 14,     // FPGA coefficient file
    kFormatMif = 15,     // FPGA memory initialisation file
    kFormatVerilog = 16, // Verilog module with its testbench files
    kFormatWave8 = 100,  // WAVE with 8-bit samples, only inside a format state
    kFormatWave16 = 101, // WAVE with 16-bit samples, only inside a format state
};

// Capability bits of a format.
enum EFileFormatFlags : int {
    kFormatCanRead = 1,
    kFormatCanWrite = 2,
    kFormatHardware = 4, // for hardware tools: not offered in the coefficient text view
};

// One row of the format table: the name shown in format lists, its code and what it can do.
struct SFileFormat {
    const char* name;
    int code;
    int flags;          // kFormatCanRead | kFormatCanWrite
    bool binary;        // false: text
    const char* suffix; // file name extension offered for new files, with its dot
};

// The format table in the order of the format lists.
const std::vector<SFileFormat>& FileFormatTable();

// The row of a code; 100 and 101 give the "Binary:Wave" row. nullptr for unknown codes.
const SFileFormat* FindFileFormat(int code);
// The row of a name (exact match). nullptr when no row has that name.
const SFileFormat* FindFileFormat(const std::string& name);
// The format name of a code, "" when there is none.
std::string FileFormatName(int code);
// Code 100 and 101 as 10; every other code as it is.
int FileFormatListCode(int code);

bool FormatCanRead(int code);
bool FormatCanWrite(int code);
// True for the formats that have an options dialog: Text:Plot, Text:Fract, Text:Hex,
// Text:Binary, Text:C, Asm:TI Asm, WAVE, the FPGA formats and HDL:Verilog.
bool FormatHasOptions(int code);
bool IsWaveFormat(int code); // 10, 100 or 101

// Names of the formats offered for reading, for writing, and in the coefficient text view.
std::vector<std::string> ReadFormatNames();
std::vector<std::string> WriteFormatNames();
std::vector<std::string> DataViewFormatNames();

// Channels a file of this format holds: the WAVE header's count for WAVE codes, 1 for the
// hardware formats, else 2.
int FormatChannels(int code, int waveChannels);
// Fixed-point word length in bits: fixedBits (held to 1..64) for Text:Fract, Text:Hex,
// Text:Binary and the FPGA formats, 16 for Asm:ADI PM and 16-bit WAVE, 0 otherwise.
int FormatWordLength(int code, int fixedBits);
// Full scale of a format state. 8-bit WAVE reads with 1 and writes with 32767.
double FormatFullScale(int code, int fixedBits, bool writing);
