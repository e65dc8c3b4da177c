// Escape for the Windows builds.
#include <windows.h>

#include "demo_platform.h"
#include "player_keys_win32.h"

// Any nonzero state: down now, or pressed since the previous call.
bool escape_pressed() { return GetAsyncKeyState(VK_ESCAPE) != 0; }

int take_player_keys(PlayerKey* keys, int capacity) { return poll_player_keys(keys, capacity); }
