#pragma once

#include "data/format_options.h"
#include "support/change_notice.h"

#include <string>

class CFirData;

// What the coefficient text view lists and in which text format: the view mode (0 Automatic,
// 1 Inphase, 2 Quadrature, 3 Complex) and the format record (Text:Decimal at first).
struct CDataViewSettings {
    enum EMode { Automatic = 0, Inphase = 1, Quadrature = 2, Complex = 3 };
    CDataViewSettings();
    int m_nMode = Automatic;
    CFileFormatOpts m_Format;
};

namespace DataViewText {
inline constexpr const char* kCannotWrite = "Temporary data file cannot be written.";
inline constexpr const char* kFormatTitle = "Data View Format";
} // namespace DataViewText

// The view mode a binding notice asks for: Inphase, Quadrature or (I and Q) Complex; anything
// else Automatic.
int DataViewModeOf(const SChangeNotice& notice);

// The coefficients as the view lists them: I alone (Inphase, or Automatic for a real filter),
// Q alone, or I and Q, in the settings' format; up to the first NUL byte. A listing that cannot
// be written gives the "cannot be written" text.
std::string ListCoefficients(CFirData& filter, CDataViewSettings& settings);

// Reads edited text back into the filter in the settings' format (Automatic reads I alone when
// the filter is real now), pads the shorter column with zeros and removes trailing zeros.
// Returns whether the text held values; the columns read are emptied first either way.
bool ReadCoefficientsText(CFirData& filter, CDataViewSettings& settings, const std::string& text);
