#pragma once
// The player's keys on Windows, from a window's key messages.
#include "player_key.h"

// The player's key of a WM_KEYDOWN (its virtual key and whether it repeats
// a held key; Shift is read as the message is handled); false for others.
bool win32_player_key(unsigned virtual_key, bool repeat, PlayerKey& key);
