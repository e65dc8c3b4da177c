#pragma once
// The player's keys on Windows: from a window's key messages, or polled.
#include "player_key.h"

// The player's key of a WM_KEYDOWN (its virtual key and whether it repeats
// a held key; Shift is read as the message is handled); false for others.
bool win32_player_key(unsigned virtual_key, bool repeat, PlayerKey& key);

// For a loop without a window procedure of its own: the player's keys that
// went down since the previous call (at most `capacity`); returns how many.
int poll_player_keys(PlayerKey* keys, int capacity);
