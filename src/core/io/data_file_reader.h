#pragma once

#include "io/format_state.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CHost;

// Reads the points of a data file held in memory in the format of `state`: column a always,
// column b too when it is not null (both are emptied first). A text file ends at its first line
// that does not scan; whatever was read before stays. A Text:Plot file updates the titles, a
// WAVE file the header, the WAVE options and the code (100 or 101). Messages go to host.
// A value that is not a finite number (NaN, infinity, a number beyond the double range) refuses
// the whole file with the file's `name` and the line (text) or sample (binary) that holds it. A
// WAVE file whose data ends before the count its header announces gives what it holds, with a
// warning. Returns whether a holds at least one value.
bool ReadDataBytes(SFormatState& state, const uint8_t* data, size_t size, std::vector<double>& a,
                   std::vector<double>* b, CHost& host, const std::string& name = std::string());
