// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "exercisestate.h"
#include "randomsource.h"

// Adds one to the count of measurements posed.
void countMeasurement(ExerciseState &s);

// Draws a new slide position on the grid of the chosen resolution: sets
// Posicio and ValorNonius. Returns false, having set only the raw Posicio,
// when Apreciacio is neither 1 nor 2; the caller then draws no slide and does
// not compute ValorRegle.
bool generatePosition(ExerciseState &s, RandomSource &random);

// Hundredths of the reading posed by Posicio: its last two digits.
void computeValorNonius(ExerciseState &s);

// Whole millimetres of the reading posed by Posicio.
void computeValorRegle(ExerciseState &s);

// A new measurement, as the new-measurement command poses it: counts it,
// draws the position, then computes ValorRegle. For a resolution the drill
// does not know, the measurement is counted and only the raw Posicio is set,
// and the result is false.
bool poseMeasurement(ExerciseState &s, RandomSource &random);

// The state a measurement at Posicio with this resolution code leaves: the
// reading's two parts follow from Posicio; the counts and Resultat are zero.
ExerciseState measurementAt(int posicio, std::uint8_t apreciacio);
