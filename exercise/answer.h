// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "exercisestate.h"

#include <string_view>

// The nearest single-precision value of a double, infinity beyond the range
// of floats.
float toSingle(double value);

// Judges a typed answer against the reading posed by the last measurement:
// sets Resultat to the reading in single precision, and counts a right answer
// in NumEncerts. The answer is right exactly when its nearest single-precision
// value equals Resultat, so "12.35", "12.350" and "012.35" are all right for
// 12 mm and 35 hundredths. Returns the verdict.
bool judgeAnswer(ExerciseState &s, std::u16string_view answerText);
