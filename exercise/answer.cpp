// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "answer.h"

#include "numbers.h"

#include <cfloat>
#include <cmath>
#include <limits>

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
