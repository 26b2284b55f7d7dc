#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The coefficient files of FPGA tools: "FPGA:COE", the vendor coefficient file
// (radix=10; coefdata=, then the words separated by commas, ending with ';'), and "FPGA:MIF",
// the memory initialisation file (WIDTH, DEPTH, radixes, CONTENT BEGIN ... END;, one word per
// address in decimal two's complement). Words are held to the file's word length as the other
// fixed-point formats do: a value beyond it keeps its low bits.

// Text before the first word of a file of n words of `bits` bits.
std::string FpgaFileHeader(int code, int bits, int n);
// Word `index` of `count`, already rounded to an integer.
std::string FpgaFileWord(int code, int bits, int index, int count, int64_t word);
// Text after the last word.
std::string FpgaFileFooter(int code);

// The words of a COE or MIF file, as signed integers. A COE file's words are read as
// two's complement words of `bits` bits; a MIF file sets `bits` from its WIDTH. False, with the
// reason in `error`, when the text is not such a file.
bool ParseFpgaFile(int code, const std::string& text, int& bits, std::vector<int64_t>& words,
                   std::string& error);

// Messages of the COE and MIF readers. %1 is the statement or word that is refused.
extern const char* const kMsgFpgaNoWords;
extern const char* const kMsgFpgaBadRadix;   // %1 radix
extern const char* const kMsgFpgaBadWord;    // %1 word
extern const char* const kMsgFpgaBadHeader;  // %1 statement
extern const char* const kMsgFpgaBadAddress; // %1 address
extern const char* const kMsgFpgaOneColumn;  // %1 format name
