#pragma once

#include <cstdint>
#include <functional>

namespace penlark {

// The program-wide pseudo-random draw shared by the tips ticker and the name generators: a
// linear congruential generator that starts at state 1 and is never reseeded, so every run
// draws the same sequence. App holds the one instance; a fresh App starts the sequence over.
class RandomInRange {
public:
    // Negative bounds count as 0 and reversed bounds are swapped; equal bounds return that
    // value without drawing. Otherwise min + (next output mod (max - min + 1)), where the
    // output is bits 16 to 30 of the new state (0 to 32767).
    std::int32_t operator()(std::int32_t min, std::int32_t max);

private:
    std::uint32_t state_ = 1;
};

// A fast-running 32-bit tick count: the processor's time-stamp counter where there is one.
std::uint32_t readTickCounter();

// The name generators' own source, mixed from the tick counter at each draw. Tests pass their
// own counter to choose the draws.
class CounterRandom {
public:
    using TickCounter = std::function<std::uint32_t()>;

    CounterRandom() : ticks_(readTickCounter) {}
    explicit CounterRandom(TickCounter ticks) : ticks_(std::move(ticks)) {}

    // 0 when max < min; otherwise min + (v mod (max - min + 1)) with v = ticks x 23 + 7,
    // all in unsigned 32-bit arithmetic.
    std::int32_t operator()(std::int32_t min, std::int32_t max);

private:
    TickCounter ticks_;
};

} // namespace penlark
