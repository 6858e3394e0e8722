// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

bool isSkipped(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// A natural number of any size, in base 2^32, least significant limb first,
// with no zero limb on top (zero has no limbs). Just what an exact decimal
// to binary conversion needs.
class Natural {
public:
    explicit Natural(std::uint32_t value) { multiplyAdd(0, value); }

    // this = this * factor + addend
    void multiplyAdd(std::uint32_t factor, std::uint32_t addend)
    {
        std::uint64_t carry = addend;
        for (std::uint32_t &limb : limbs_) {
            carry += std::uint64_t(limb) * factor;
            limb = std::uint32_t(carry);
            carry >>= 32;
        }
        if (carry != 0)
            limbs_.push_back(std::uint32_t(carry));
    }

    void multiplyByPowerOfTen(std::size_t exponent)
    {
        for (; exponent >= 9; exponent -= 9)
            multiplyAdd(1000000000, 0);
        std::uint32_t factor = 1;
        for (; exponent > 0; --exponent)
            factor *= 10;
        multiplyAdd(factor, 0);
    }

    Natural shiftedLeft(std::size_t bits) const
    {
        Natural result(0);
        if (limbs_.empty())
            return result;
        const std::size_t whole = bits / 32, part = bits % 32;
        result.limbs_.assign(whole, 0);
        std::uint32_t carry = 0;
        for (const std::uint32_t limb : limbs_) {
            result.limbs_.push_back(part == 0 ? limb : (limb << part) | carry);
            carry = part == 0 ? 0 : limb >> (32 - part);
        }
        if (carry != 0)
            result.limbs_.push_back(carry);
        return result;
    }

    // Subtracts other where it is not larger than this; says whether it did.
    bool subtractIfNotLess(const Natural &other)
    {
        if (compare(other) < 0)
            return false;
        std::int64_t borrow = 0;
        for (std::size_t i = 0; i < limbs_.size(); ++i) {
            std::int64_t difference = std::int64_t(limbs_[i]) - borrow
                                      - (i < other.limbs_.size() ? std::int64_t(other.limbs_[i]) : 0);
            borrow = difference < 0 ? 1 : 0;
            limbs_[i] = std::uint32_t(difference + (borrow << 32));
        }
        while (!limbs_.empty() && limbs_.back() == 0)
            limbs_.pop_back();
        return true;
    }

    int compare(const Natural &other) const
    {
        if (limbs_.size() != other.limbs_.size())
            return limbs_.size() < other.limbs_.size() ? -1 : 1;
        for (std::size_t i = limbs_.size(); i-- > 0;) {
            if (limbs_[i] != other.limbs_[i])
                return limbs_[i] < other.limbs_[i] ? -1 : 1;
        }
        return 0;
    }

    long bitLength() const
    {
        if (limbs_.empty())
            return 0;
        long bits = 32 * long(limbs_.size() - 1);
        for (std::uint32_t top = limbs_.back(); top != 0; top >>= 1)
            ++bits;
        return bits;
    }

    bool isZero() const { return limbs_.empty(); }

private:
    std::vector<std::uint32_t> limbs_;
};

} // namespace

double decimalToDouble(std::string_view digits, long exponent)
{
    // The value lies in [10^(magnitude - 1), 10^magnitude).
    const long magnitude = long(digits.size()) + exponent;
    if (magnitude >= 310) // at least 1e309, beyond the largest double and half its unit
        return std::numeric_limits<double>::infinity();
    if (magnitude <= -324) // below 1e-324, less than half the smallest double
        return 0.0;

    // The value is numerator / denominator, both whole.
    Natural numerator(0), denominator(1);
    for (std::size_t i = 0; i < digits.size(); i += 9) {
        const std::string_view chunk = digits.substr(i, 9);
        std::uint32_t factor = 1, value = 0;
        for (const char c : chunk) {
            factor *= 10;
            value = value * 10 + std::uint32_t(c - '0');
        }
        numerator.multiplyAdd(factor, value);
    }
    if (exponent >= 0)
        numerator.multiplyByPowerOfTen(std::size_t(exponent));
    else
        denominator.multiplyByPowerOfTen(std::size_t(-exponent));

    // Scaled by 2^shift, the quotient has 55 or 56 bits: more than the 53 a
    // double keeps, and one to round by. What is left over only says whether
    // the value lies above that.
    const long shift = 55 + denominator.bitLength() - numerator.bitLength();
    if (shift > 0)
        numerator = numerator.shiftedLeft(std::size_t(shift));
    else
        denominator = denominator.shiftedLeft(std::size_t(-shift));
    std::uint64_t quotient = 0;
    for (int bit = 55; bit >= 0; --bit) {
        if (numerator.subtractIfNotLess(denominator.shiftedLeft(std::size_t(bit))))
            quotient |= std::uint64_t(1) << bit;
    }
    long length = 0;
    for (std::uint64_t q = quotient; q != 0; q >>= 1)
        ++length;

    // Bit i of the quotient is worth 2^(i - shift). A double keeps the top 53
    // bits, and none below 2^-1074 (the smallest subnormal).
    const long lowest = std::max(length - 53, shift - 1074);
    if (lowest > length)
        return 0.0; // below half the smallest subnormal
    std::uint64_t kept = lowest >= 64 ? 0 : quotient >> lowest;
    const bool half = ((quotient >> (lowest - 1)) & 1) != 0;
    const bool beyondHalf = (quotient & ((std::uint64_t(1) << (lowest - 1)) - 1)) != 0 || !numerator.isZero();
    if (half && (beyondHalf || (kept & 1) != 0))
        ++kept; // to nearest, ties to even
    return std::ldexp(double(kept), int(lowest - shift));
}

// Significant digits kept while scanning. A double's rounding never depends
// on more than 768 of them, so beyond this many only whether any further
// digit is non-zero matters: that is kept as one more digit 1 after the last
// kept.
constexpr std::size_t KeptDigits = 800;

ScannedNumber scanNumber(std::u16string_view text)
{
    ScannedNumber number;
    bool signAllowed = true;
    bool seenPoint = false;
    bool droppedNonZero = false;

    for (const char16_t c : text) {
        if (isSkipped(c))
            continue;
        if (signAllowed && (c == u'+' || c == u'-')) {
            number.negative = c == u'-';
            signAllowed = false;
            continue;
        }
        signAllowed = false;
        if (isDigit(c)) {
            number.found = true;
            if (number.digits.empty() && c == u'0') {
                if (seenPoint)
                    --number.exponent;
            } else if (number.digits.size() < KeptDigits) {
                number.digits.push_back(static_cast<char>(c));
                if (seenPoint)
                    --number.exponent;
            } else {
                if (!seenPoint)
                    ++number.exponent;
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

    if (droppedNonZero) {
        number.digits.push_back('1');
        --number.exponent;
    }
    return number;
}

double parseNumber(std::u16string_view text)
{
    const ScannedNumber number = scanNumber(text);
    if (!number.found)
        return 0.0;
    const double value = number.digits.empty() ? 0.0 : decimalToDouble(number.digits, number.exponent);
    return number.negative ? -value : value;
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
