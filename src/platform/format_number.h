#pragma once
// Stand-in for the number formatting of the environment's user-interface library.
//
// formatNumber writes value into buffer ("C" locale), right-aligned in a field of width
// characters with the given number of decimals, like "%*.*f". A number that does not fit
// the width is written in full (wider), never cut. A result that shows only zeros never
// carries a minus sign ("-0.00" is written "0.00"). The width is taken as 0 to 1000, the
// decimals as 0 to 15.
//
// Option bits (all others are accepted and have no effect here):
//   FORMAT_NUMBER_NO_PAD       0x002  no leading blanks: the width is not filled
//   FORMAT_NUMBER_TRIM_ZEROS   0x010  trailing zeros of the fraction are dropped, and the
//                                     point when only zeros followed (1.50 -> 1.5, 2.00 -> 2)
//   FORMAT_NUMBER_SIGNIFICANT  0x020  at most `significant` significant digits: the
//                                     decimals are reduced (not below 0) so that the
//                                     integer digits and decimals together do not exceed it
// The factor texts of the load-combination listing use options 0x372 (no padding, zeros
// trimmed, at most 5 significant digits).
//
// Returns the length of the text, or -1 (and an empty text, when size allows) when the
// buffer is null or too small for the whole text.
#include <string>

enum : int {
    FORMAT_NUMBER_NO_PAD = 0x002,
    FORMAT_NUMBER_TRIM_ZEROS = 0x010,
    FORMAT_NUMBER_SIGNIFICANT = 0x020,
};

int formatNumber(char* buffer, int size, double value, int width, int decimals, int significant,
                 int options);

// The same as a string (never fails).
std::string Format_Number_Text(double value, int width, int decimals, int significant, int options);
