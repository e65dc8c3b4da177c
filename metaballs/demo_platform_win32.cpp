// Escape for the Windows builds.
#include <windows.h>

#include "demo_platform.h"

// Any nonzero state: down now, or pressed since the previous call.
bool escape_pressed() { return GetAsyncKeyState(VK_ESCAPE) != 0; }
