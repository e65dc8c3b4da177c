#pragma once
// The two inputs of fennick's loop, one implementation per platform.
#include <cstdint>

// Milliseconds since an arbitrary start, 32 bits, wrapping like timeGetTime.
std::uint32_t read_clock_ms();

// True when Escape is down now or has been pressed since the previous test.
bool escape_pressed();
