#include "answer.h"

#include <cfloat>
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

double parseNumber(std::u16string_view text)
{
    bool negative = false;
    bool signAllowed = true;
    bool seenPoint = false;
    bool seenDigit = false;
    bool wholePartNonZero = false;
    // The digits and point that were read, in a form std::from_chars takes:
    // it reads any length and rounds correctly.
    std::string number;

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
            if (!seenPoint && c != u'0')
                wholePartNonZero = true;
            // Leading zeros of the whole part carry no value; dropping them
            // keeps the text short for a long run of zeros.
            if (!seenPoint && number.empty() && c == u'0')
                continue;
            number.push_back(static_cast<char>(c));
            continue;
        }
        if (c == u'.' && !seenPoint) {
            seenPoint = true;
            number.push_back('.');
            continue;
        }
        break;
    }

    if (!seenDigit)
        return 0.0;
    if (number.empty() || number.front() == '.')
        number.insert(number.begin(), '0');
    if (number.back() == '.')
        number.pop_back();

    double value = 0.0;
    const char *first = number.data();
    const char *last = first + number.size();
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range)
        value = wholePartNonZero ? std::numeric_limits<double>::infinity() : 0.0;
    else if (error != std::errc() || end != last)
        value = 0.0; // cannot happen: the text holds only digits and one point
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

float toSingle(double value)
{
    // Converting a double outside the float range is undefined in C++; IEEE
    // arithmetic rounds it to FLT_MAX up to half a unit beyond, else infinity.
    constexpr double roundsToMax = double(FLT_MAX) + 0x1.0p103;
    if (std::fabs(value) <= double(FLT_MAX))
        return static_cast<float>(value);
    if (std::fabs(value) < roundsToMax)
        return std::copysign(FLT_MAX, static_cast<float>(std::copysign(1.0, value)));
    return std::copysign(std::numeric_limits<float>::infinity(),
                         static_cast<float>(std::copysign(1.0, value)));
}

bool judgeAnswer(ExerciseState &s, std::u16string_view answerText)
{
    const double answer = parseNumber(answerText);
    s.Resultat = static_cast<float>(static_cast<double>(s.ValorNonius) / 100.0
                                    + static_cast<double>(s.ValorRegle));
    const bool right = toSingle(answer) == s.Resultat;
    if (right)
        s.NumEncerts = s.NumEncerts + 1.0f;
    return right;
}
