// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "randomsource.h"

#include <chrono>

namespace {

// SplitMix64: a small, well-mixed 64-bit generator; one step turns nearby
// seeds (consecutive nanosecond readings) into unrelated outputs.
std::uint64_t splitMix64(std::uint64_t &state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

} // namespace

std::uint64_t ClockRandomSource::systemNanoseconds()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

ClockRandomSource::ClockRandomSource(Clock clock)
    : clock_(std::move(clock))
{
}

void ClockRandomSource::reseed()
{
    const std::uint64_t nanos = clock_();
    ++draws_;
    std::uint64_t counter = draws_;
    state_ = nanos ^ splitMix64(counter);
}

float ClockRandomSource::next()
{
    return toUnitFloat(splitMix64(state_));
}

float ClockRandomSource::toUnitFloat(std::uint64_t bits)
{
    return static_cast<float>(bits >> 40) * 0x1.0p-24f;
}
