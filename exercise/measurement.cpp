// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "measurement.h"

#include "int16.h"
#include "resolution.h"

#include <cmath>

void countMeasurement(ExerciseState &s)
{
    s.NumMesures = s.NumMesures + 1.0f;
}

bool generatePosition(ExerciseState &s, RandomSource &random)
{
    random.reseed();
    const float r = random.next();
    s.Posicio = std::floor(r * 10000.0f);
    // Values below 1000 are folded onto 1000..1999, so short readings come
    // up twice as often as long ones.
    if (s.Posicio < 1000.0f)
        s.Posicio = s.Posicio + 1000.0f;

    const Resolution *resolution = findResolution(s.Apreciacio);
    if (!resolution)
        return false;
    const long step = resolution->gridStep;

    const long whole = std::lrint(s.Posicio);
    // A position already on the grid moves up a full step, never by 0.
    const float ajust = static_cast<float>(step - whole % step);
    s.Posicio = s.Posicio + ajust;
    computeValorNonius(s);
    return true;
}

void computeValorNonius(ExerciseState &s)
{
    s.ValorNonius = toInt16(std::lrint(s.Posicio - std::floor(s.Posicio / 100.0f) * 100.0f));
}

void computeValorRegle(ExerciseState &s)
{
    s.ValorRegle = std::floor(s.Posicio / 100.0f - 10.0f);
}

bool poseMeasurement(ExerciseState &s, RandomSource &random)
{
    countMeasurement(s);
    if (!generatePosition(s, random))
        return false;
    // Nothing drawn reads ValorRegle: the window draws the pictures after
    // this whole sequence.
    computeValorRegle(s);
    return true;
}

ExerciseState measurementAt(int posicio, std::uint8_t apreciacio)
{
    ExerciseState s;
    s.Apreciacio = apreciacio;
    s.Posicio = static_cast<float>(posicio);
    computeValorNonius(s);
    computeValorRegle(s);
    return s;
}
