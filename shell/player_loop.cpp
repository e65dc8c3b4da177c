#include "player_loop.h"

#include "clock.h"

void run_player_loop(Player& player, PlayerScreen& screen) {
    for (;;) {
        const std::uint32_t now = clock_ms();
        const std::uint32_t shown = player.shown(now);
        bool open;
        if (player.unchanged(now)) {
            open = screen.rest(player_rest_ms);  // keys and exposes wake it
        } else {
            open = screen.show(player, shown);
            player.presented(now);
        }
        if (!open || screen.over(player, shown)) return;
    }
}
