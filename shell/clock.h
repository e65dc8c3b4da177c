#pragma once
// The one clock of every program on the screen, one file per platform.
#include <cstdint>

// Milliseconds since an arbitrary start, 32 bits, wrapping like timeGetTime.
std::uint32_t clock_ms();
