#pragma once

#include <string>

class CHost;

// Reading the number fields of a dialog when it is accepted: text that is not a number, or an
// integer outside its range, is refused with the standard message (exclamation icon) and the
// dialog stays open on that field.

extern const char* const kMsgEnterNumber;       // "Please enter a number."
extern const char* const kMsgEnterInteger;      // "Please enter an integer."
extern const char* const kMsgIntegerOutOfRange; // %1 lowest, %2 highest

// A floating-point field, read as "%lf" reads it; trailing blanks are allowed, other text is not.
bool ExchangeDouble(const std::string& text, double& value, CHost& host);
// An integer field within lo..hi.
bool ExchangeInt(const std::string& text, int lo, int hi, int& value, CHost& host);
