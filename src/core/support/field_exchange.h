#pragma once

#include <string>

class CHost;

// Reading the number fields of a dialog when it is accepted: text that is not a number is refused
// with the standard message (exclamation icon) and the dialog stays open on that field. Ranges
// are the checks of the operation that takes the values.

extern const char* const kMsgEnterNumber;  // "Please enter a number."
extern const char* const kMsgEnterInteger; // "Please enter an integer."

// A floating-point field, read as "%lf" reads it; trailing blanks are allowed, other text is not.
bool ExchangeDouble(const std::string& text, double& value, CHost& host);
// An integer field (of the int range).
bool ExchangeInt(const std::string& text, int& value, CHost& host);
