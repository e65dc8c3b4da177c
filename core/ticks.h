#pragma once
// The fullscreen programs' tick: 16 ms of the millisecond clock.
#include <cstdint>

constexpr int tick_shift = 4;
constexpr std::uint32_t tick_ms = 1u << tick_shift;  // 16

// Returns floor(ms / 16), the tick that `ms` milliseconds fall in.
constexpr std::uint32_t tick_of(std::uint32_t ms) { return ms >> tick_shift; }
// Returns ticks * 16, the milliseconds at which tick `ticks` begins.
constexpr std::uint32_t ticks_to_ms(std::uint32_t ticks) { return ticks << tick_shift; }
