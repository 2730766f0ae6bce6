#include "aids/random_sources.h"

#include <chrono>
#include <utility>

#if defined(__x86_64__) || defined(__i386__) || defined(_M_X64) || defined(_M_IX86)
#if defined(_MSC_VER)
#include <intrin.h>
#else
#include <x86intrin.h>
#endif
#define PENLARK_HAS_TSC 1
#endif

namespace penlark {

std::int32_t RandomInRange::operator()(std::int32_t min, std::int32_t max)
{
    if (min < 0) min = 0;
    if (max < 0) max = 0;
    if (min > max) std::swap(min, max);
    if (min == max) return min;

    state_ = state_ * 214013u + 2531011u;
    const std::int64_t output = (state_ >> 16) & 0x7FFF;
    // Both bounds are non-negative here, so the span fits in 64 bits without overflow.
    const std::int64_t span = static_cast<std::int64_t>(max) - min + 1;
    return static_cast<std::int32_t>(min + output % span);
}

std::uint32_t readTickCounter()
{
#ifdef PENLARK_HAS_TSC
    return static_cast<std::uint32_t>(__rdtsc());
#else
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(ticks);
#endif
}

std::int32_t CounterRandom::operator()(std::int32_t min, std::int32_t max)
{
    if (max < min) return 0;
    const std::uint32_t v = ticks_() * 23u + 7u;
    // The full 32-bit range wraps the span to 0; every v is then in range as it is.
    const std::uint32_t span = static_cast<std::uint32_t>(max) - static_cast<std::uint32_t>(min) + 1u;
    const std::uint32_t offset = span == 0 ? v : v % span;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(min) + offset);
}

} // namespace penlark
