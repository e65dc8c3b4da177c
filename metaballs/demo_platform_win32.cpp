// Clock and Escape for the Win32 build.
#include <windows.h>

#include "demo_platform.h"

std::uint32_t read_clock_ms() { return timeGetTime(); }

// Any nonzero state: down now, or pressed since the previous call.
bool escape_pressed() { return GetAsyncKeyState(VK_ESCAPE) != 0; }
