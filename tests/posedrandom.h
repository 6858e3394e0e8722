// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "randomsource.h"

#include <cmath>

// A random source that yields a chosen value, so a test can pose any drawn
// whole number 0..9999 (the floor of the value times 10000).
class PosedRandom final : public RandomSource {
public:
    int reseeds = 0;

    void reseed() override { ++reseeds; }
    float next() override { return value_; }

    // Makes the next draw give `drawn` after the drill's floor(r * 10000).
    void pose(int drawn) { value_ = (static_cast<float>(drawn) + 0.5f) / 10000.0f; }

    static int drawnOf(float r) { return static_cast<int>(std::floor(r * 10000.0f)); }

private:
    float value_ = 0;
};
