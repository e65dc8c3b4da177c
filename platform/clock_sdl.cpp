// The clock of the native build: SDL's millisecond count (it wraps after
// 2^32 ms like timeGetTime, as SDL_GetTicks is 32 bits).
#include <SDL.h>

#include "clock.h"

std::uint32_t clock_ms() { return SDL_GetTicks(); }
