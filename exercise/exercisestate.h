// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// The whole memory of the drill. A plain record: the main window owns one,
// and every routine reads and writes its fields directly. Every field starts
// at zero; start-up then sets Apreciacio to 1. The step a measurement adds to
// reach the grid and the drawing loops' counter are locals of the routines
// that use them: nothing reads them afterwards.
//
// Positions are twips on the caliper picture, where 100 twips stand for 1 mm
// and the rule's zero line lies at x = 1000. After a measurement,
//   Posicio == 1000 + 100 * ValorRegle + ValorNonius.
struct ExerciseState {
    float Posicio = 0;            // x of the vernier's zero line (twips)
    std::int16_t ValorNonius = 0; // hundredths of the reading (0..95)
    float ValorRegle = 0;         // whole millimetres of the reading (0..90)
    float Resultat = 0;           // the reading as the last check computed it (mm)
    std::uint8_t Apreciacio = 0;  // 1 = 0,05 mm, 2 = 0,1 mm
    float NumMesures = 0;         // measurements posed in this run
    float NumEncerts = 0;         // checks judged right in this run

    bool operator==(const ExerciseState &) const = default;
};
