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
            // Counted before the show: keys that its present takes in (a
            // pause with G, say) belong to the next frame, not to this one.
            player.presented(now);
            open = screen.show(player, shown);
        }
        if (!open || screen.over(player, shown)) return;
    }
}
