// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool isSkipped(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

// Significant digits kept while reading. A double's rounding never depends on
// more than 768 of them, so beyond this many only whether any further digit
// is non-zero matters: that is kept as one more digit 1 after the last kept.
constexpr std::size_t KeptDigits = 800;

double parseNumber(std::u16string_view text)
{
    bool negative = false;
    bool signAllowed = true;
    bool seenPoint = false;
    bool seenDigit = false;
    bool droppedNonZero = false;
    // The value read is digits x 10^scale, digits without leading zeros.
    std::string digits;
    long scale = 0;

    for (const char16_t c : text) {
        if (isSkipped(c))
            continue;
        if (signAllowed && (c == u'+' || c == u'-')) {
            negative = c == u'-';
            signAllowed = false;
            continue;
        }
        signAllowed = false;
        if (isDigit(c)) {
            seenDigit = true;
            if (digits.empty() && c == u'0') {
                if (seenPoint)
                    --scale;
            } else if (digits.size() < KeptDigits) {
                digits.push_back(static_cast<char>(c));
                if (seenPoint)
                    --scale;
            } else {
                if (!seenPoint)
                    ++scale;
                droppedNonZero = droppedNonZero || c != u'0';
            }
            continue;
        }
        if (c == u'.' && !seenPoint) {
            seenPoint = true;
            continue;
        }
        break;
    }

    if (!seenDigit)
        return 0.0;
    if (digits.empty())
        return negative ? -0.0 : 0.0;
    if (droppedNonZero) {
        digits.push_back('1');
        --scale;
    }
    const long magnitude = static_cast<long>(digits.size()) + scale; // digits before the point
    digits += 'e';
    digits += std::to_string(scale);

    double value = 0.0;
    const char *first = digits.data();
    const char *last = first + digits.size();
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::scientific);
    if (error == std::errc::result_out_of_range)
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    else if (error != std::errc() || end != last)
        value = 0.0; // cannot happen: the text is digits and an exponent
    return negative ? -value : value;
}

std::string numberText(double value)
{
    if (value == 0.0)
        return " 0"; // also for -0
    char buffer[400];
    const double magnitude = std::fabs(value);
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                            std::chars_format::fixed);
    std::string digits = error == std::errc() ? std::string(buffer, end) : std::string("0");
    return (value < 0.0 ? "-" : " ") + digits;
}
