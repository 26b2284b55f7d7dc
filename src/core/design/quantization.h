#pragma once

class CHost;

// Checks of the quantization settings that the "Quantize" dialog and the design options make
// before they accept them; a failed check shows its message (stop icon) through the host.

// Quantize dialog word length: 1 to 62 bits.
bool CheckQuantizeBits(int bits, CHost* host);
// Search resolutions: the first may not exceed the second.
bool CheckSearchRange(int low, int high, CHost* host);
// Whether the search grid range is used: only by the two search algorithms (2 and 3).
bool SearchRangeApplies(int algorithm);
