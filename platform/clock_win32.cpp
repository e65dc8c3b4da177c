// The clock of the Windows builds: winmm's timeGetTime.
#include <windows.h>

#include "clock.h"

std::uint32_t clock_ms() { return timeGetTime(); }
