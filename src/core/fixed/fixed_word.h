#pragma once

#include <cstdint>
#include <string>

// Integer words of a fixed-point implementation: the quantisation of values to words of a given
// length and the arithmetic on the wide accumulators of a filter.

// A signed integer of 128 bits: the accumulator of a bit-true filter, whose width may exceed 64.
__extension__ typedef __int128 Int128;

// x rounded half away from zero to a 64-bit integer; values beyond the 64-bit range are held
// at its ends and NaN gives 0.
int64_t RoundToInt64(double x);

// The value that 1.0 maps to in a fixed-point word of `bits` bits (1..64): 2^(bits-1) - 1, less
// 1023 from 52 bits up so that it stays below 2^63; 1 for a word length of 0 and for 1 bit.
double FullScaleOfWordLength(int bits);

// The integer word of x (a fraction of full scale) for a word length of `bits`: x scaled by
// FullScaleOfWordLength(bits) and rounded half away from zero, as the fixed-point text formats
// write it. The result is not held to the word: a value beyond -1..1 may need more bits.
int64_t QuantizeToWord(double x, int bits);

// The smallest signed two's complement width (at least 1) that holds v.
int SignedWidth(Int128 v);
// The smallest and largest values of a signed word of `bits` bits (1..127).
Int128 SignedMin(int bits);
Int128 SignedMax(int bits);
// v reduced to its low `bits` bits (1..127), read as a signed word.
Int128 WrapToWidth(Int128 v, int bits);

// v in decimal, with a leading '-' when negative.
std::string DecimalText(Int128 v);
// The low `bits` bits of v as (bits + 3) / 4 hexadecimal digits, upper case.
std::string HexText(Int128 v, int bits);
