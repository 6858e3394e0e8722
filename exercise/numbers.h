// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

// Reads the number a student typed. Blanks, tabs and line feeds are skipped
// wherever they stand; an optional + or - may open the number; then digits
// with at most one point (the only decimal separator, whatever the locale).
// Reading stops at the first character that does not fit, and text with no
// number reads as 0. Never fails: a number too large for a double reads as
// an infinity, one too small as zero; long digit strings are rounded
// correctly. It scans with scanNumber and converts with decimalToDouble, the
// same on every platform.
double parseNumber(std::u16string_view text);

// What scanning typed text by the rules of parseNumber finds: the number is
// digits x 10^exponent, with its sign. Leading zeros are dropped, so a zero
// has no digits; beyond the first 800 digits only whether any further one is
// non-zero is kept, as one more digit 1, which is all a double's rounding
// can depend on.
struct ScannedNumber {
    bool found = false; // whether there was any digit at all
    bool negative = false;
    std::string digits; // decimal digits, the first not 0
    long exponent = 0;
};
ScannedNumber scanNumber(std::u16string_view text);

// The double nearest to digits x 10^exponent (ties to even; infinity beyond
// the largest double), where digits are decimal digits, the first not 0.
// Exact on every platform: the tests check it against the C++ library's
// from_chars where the library has one for doubles (emscripten's has not).
double decimalToDouble(std::string_view digits, long exponent);

// The text of a number as the drill's labels show it: a blank before zero and
// positive numbers, a minus before negative ones, plain digits with a point,
// no grouping, whatever the locale. numberText(3) == " 3".
std::string numberText(double value);
