// fennick's driver: the objects of the framebuffer library made in order and
// released in reverse, and the loop over the player's time (untouched, the
// clock) until Escape.
#include "demo_driver.h"

#include "clock.h"
#include "demo.h"
#include "demo_platform.h"
#include "display_adapter.h"
#include "player.h"
#include "ptc.h"

namespace {

// How long a paused loop sleeps before it looks at its events again: a
// key is answered within it.
constexpr int rest_ms = 20;

// The player's overlay on the surface's pixels, when it is on.
void draw_overlay(const Player& player, DrawTarget& surface, std::uint32_t shown) {
    if (!player.overlay_on()) return;
    if (std::uint32_t* pixels = surface.lock()) player.draw_overlay(packed_canvas(pixels, demo_width, demo_height), shown);
    surface.unlock();
}

}  // namespace

std::string run_demo() {
    // Made in this order, released in the reverse order by leaving the scope.
    PixelFormat format(32, 0xFF0000, 0xFF00, 0xFF, 0);
    DisplayWindow window;
    // Without a window there is nothing to show: say why and end.
    if (!window.open("Morkelbrand", demo_width, demo_height, format, 0)) {
        const std::string why = ptc_error_text();
        return why.empty() ? "the framebuffer library gave no reason" : why;
    }
    OffscreenSurface frame_surface(demo_width, demo_height, format);
    watch_player_keys(window.library_handle());

    if (escape_pressed()) return "";  // Escape already down: no frame at all
    // Untouched, the player shows the clock count itself.
    Player player(fennick_program, clock_ms());
    for (;;) {
        const std::uint32_t now = clock_ms();
        int still_open = 0;
        if (player.unchanged(now)) {
            still_open = window.rest(rest_ms);  // paused: keys and exposes wake it
        } else {
            const std::uint32_t shown = player.shown(now);
            draw_demo_frame(shown, frame_surface);
            draw_overlay(player, frame_surface, shown);
            frame_surface.copy(window);
            still_open = window.update();
            player.presented(now);
        }
        if (escape_pressed() || !still_open) break;
        PlayerKey keys[16];
        for (int i = 0, n = take_player_keys(keys, 16); i < n; ++i) player.press(keys[i], clock_ms());
    }
    return "";
}
