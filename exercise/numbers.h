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
// correctly.
double parseNumber(std::u16string_view text);

// The double nearest to digits x 10^exponent (ties to even; infinity beyond
// the largest double), where digits are decimal digits, the first not 0.
// parseNumber reads with it where the C++ library has no floating-point
// from_chars; everywhere else the tests check it against the library's.
double decimalToDouble(std::string_view digits, long exponent);

// The text of a number as the drill's labels show it: a blank before zero and
// positive numbers, a minus before negative ones, plain digits with a point,
// no grouping, whatever the locale. numberText(3) == " 3".
std::string numberText(double value);
