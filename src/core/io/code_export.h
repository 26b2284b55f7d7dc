#pragma once

#include <string>

class CAsmOpts;
class COptionsC;

// C source of the coefficients: a NAME_LENGTH define and one float array per column (suffixes
// "_I" and "_Q" when q is not null), appended to out with "\r\n" line ends.
void WriteC(std::string& out, int n, const double* i, const double* q, const COptionsC& opts);

// Fixed-point assembler data for TI-style assemblers: equates, labels and one data line per
// value as a 1.15 word (or a float), with optional comments and a bar graph, appended to out.
void WriteTiAsm(std::string& out, int n, const double* i, const double* q, const CAsmOpts& opts);

// One value line of the assembler data; lo and hi are the extremes of all values (for the bar
// graph).
std::string TiAsmValueLine(double x, double lo, double hi, const CAsmOpts& opts);
