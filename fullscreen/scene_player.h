#pragma once
// The player of the running scene loop (shell/player.h), where the
// display's message pump and the scene's pass reach it.
#include <cstdint>

#include "player.h"

// The shown time of the running scene loop at this moment (one clock
// reading): untouched, clock_ms() - start.
std::uint32_t scene_ms();
// A viewer's key, from the display's message pump; ignored outside a loop.
void scene_player_key(PlayerKey key);
// The skeleton's player while it runs, null after.
void show_scene_player(Player* player);
