// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>

// Where a measurement's random value comes from. The drill reseeds before
// every draw; tests substitute a source that yields chosen values.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseed() = 0;
    // A value uniformly distributed in [0, 1), never 1.0.
    virtual float next() = 0;
};

// The program's source: reseeded at every draw from the system clock at
// nanosecond resolution, mixed with a per-process draw counter so that two
// reseeds within the same clock tick still give unrelated values.
class ClockRandomSource final : public RandomSource {
public:
    // The clock in nanoseconds; tests hand in one that stands still.
    using Clock = std::function<std::uint64_t()>;
    static std::uint64_t systemNanoseconds();

    explicit ClockRandomSource(Clock clock = systemNanoseconds);

    void reseed() override;
    float next() override;

    // Turns 64 random bits into a float in [0, 1): the top 24 bits, so every
    // result is exact in single precision and the largest is 1 - 2^-24.
    static float toUnitFloat(std::uint64_t bits);

private:
    Clock clock_;
    std::uint64_t state_ = 0;
    std::uint64_t draws_ = 0;
};
