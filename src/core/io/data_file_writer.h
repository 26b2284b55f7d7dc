#pragma once

#include "io/format_state.h"

#include <string>
#include <vector>

class CHost;

// The order in which a write visits the indexes 0..n-1 for an index step: 0, s, 2s, ... then
// 1, s+1, ... for s > 0; n+s, n+2s, ..., 0 then n+s+1, ..., 1 for s < 0 (the polyphase
// components one after another); a step of 0 is 1. False, and `order` empty, when |step| does
// not divide n.
bool WriteOrder(int n, int step, std::vector<int>& order);

// The points of columns a (and b when not null) of n points each, in the format of `state`,
// appended to `out` as the file's bytes: header, then one line or record per point in the
// index order of `step`. minAll and maxAll are the extremes of every column of the data set;
// a fixed-point format asks through host before it writes values beyond -1..1. A WAVE write
// updates the header and the code (100 or 101). Text:C and Asm:TI Asm are written by the code
// exporters and are refused here like every format that cannot be written.
// Returns 1 when written, 0 when refused or when the user declined the overflow question (the
// header is then already in `out`).
int WriteDataBytes(SFormatState& state, std::string& out, const double* a, const double* b, int n,
                   double minAll, double maxAll, int step, CHost& host);

// Asks the overflow question when a format of full scale `fullScale` cannot hold values from
// minAll to maxAll. False when the user declines.
bool ConfirmOverflow(double fullScale, double minAll, double maxAll, CHost& host);
