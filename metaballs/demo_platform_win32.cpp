// fennick's keys in the Windows builds: Escape polled, the player's keys
// from the framebuffer library's window procedure, each press as it is
// handled, so that a key tapped within one frame is not lost.
#include <windows.h>

#include "demo_platform.h"
#include "display_adapter.h"
#include "player_keys_win32.h"
#include "ptc.h"

namespace {

PlayerKeyQueue key_presses;

void take_key_message(void*, unsigned virtual_key, int repeat) {
    PlayerKey key;
    if (win32_player_key(virtual_key, repeat != 0, key)) key_presses.push(key);
}

}  // namespace

// Any nonzero state: down now, or pressed since the previous call.
bool escape_pressed() { return GetAsyncKeyState(VK_ESCAPE) != 0; }

void watch_player_keys(DisplayWindow& window) { window.watch_keys(take_key_message, nullptr); }

int take_player_keys(PlayerKey* keys, int capacity) { return key_presses.take(keys, capacity); }
