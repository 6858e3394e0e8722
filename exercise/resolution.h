// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string_view>

// What the drill asks of a vernier resolution. The drill stores only the code
// (ExerciseState::Apreciacio); everything else follows from it here.
struct Resolution {
    std::uint8_t code;        // the Apreciacio byte: 1 = 0,05 mm, 2 = 0,1 mm
    int gridStep;             // the grid positions are drawn on (twips: hundredths of a mm)
    bool shortLines;          // a line halfway between each pair of numbered vernier lines
    int zoomReach;            // how far the zoom's red rule lines run either side of the coinciding one (twips)
    std::string_view caption; // what the resolution box and the menu show (UTF-8)
};

inline constexpr Resolution FiveHundredths{1, 5, true, 1600, "0,05 mm"};
inline constexpr Resolution Tenths{2, 10, false, 3600, "0,1 mm"};

// The resolution with this code, or null for a code the drill does not know.
constexpr const Resolution *findResolution(std::uint8_t code)
{
    for (const Resolution *r : {&FiveHundredths, &Tenths}) {
        if (r->code == code)
            return r;
    }
    return nullptr;
}
