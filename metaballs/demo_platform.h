#pragma once
// fennick's keys (the clock is clock.h), one implementation per platform.
#include "player_key.h"

class DisplayWindow;

// True when Escape is down now or has been pressed since the previous test.
bool escape_pressed();

// Takes the player's keys of `window`, the framebuffer library's window
// once it is open, from then on.
void watch_player_keys(DisplayWindow& window);

// The player's keys pressed since the previous call, oldest first, at most
// `capacity` of them; returns how many.
int take_player_keys(PlayerKey* keys, int capacity);
