// The player of the running scene loop, where the display's message pump and
// the scene's pass reach it. Apart from the skeleton, so that a display can
// be linked without a program.
#include "scene_player.h"

#include "clock.h"

namespace {
Player* showing = nullptr;
}

void show_scene_player(Player* player) { showing = player; }

std::uint32_t scene_ms() {
    const std::uint32_t now = clock_ms();
    return showing ? showing->shown(now) : now;
}

void scene_player_key(PlayerKey key) {
    if (showing) showing->press(key, clock_ms());
}
