// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <cstdlib>

// The drill's Integer fields are 16-bit and an overflow must stop the program
// rather than wrap silently. No value the drill produces comes near the limits;
// this only guards against a future change that would.
inline std::int16_t toInt16(long value)
{
    if (value < INT16_MIN || value > INT16_MAX)
        std::abort();
    return static_cast<std::int16_t>(value);
}
