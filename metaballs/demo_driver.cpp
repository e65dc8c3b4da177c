// fennick's driver: the objects of the framebuffer library made in order and
// released in reverse, and the loop over the player's time (untouched, the
// clock) until Escape.
#include "demo_driver.h"

#include "clock.h"
#include "demo.h"
#include "demo_platform.h"
#include "display_adapter.h"
#include "player_loop.h"
#include "ptc.h"

namespace {

// fennick's screen: the frame drawn into the off-screen surface, the
// guides and the overlay on its pixels, copied to the window and shown; the show is over
// with Escape. Its keys are polled after each pass.
class DemoScreen final : public PlayerScreen {
public:
    DemoScreen(DisplayWindow& window, OffscreenSurface& surface) : window_(window), surface_(surface) {}

    bool show(const Player& player, std::uint32_t shown) override {
        draw_demo_frame(shown, surface_);
        if (player.draws_over()) {
            if (std::uint32_t* pixels = surface_.lock())
                player.draw_over(packed_canvas(pixels, demo_width, demo_height), shown);
            surface_.unlock();
        }
        surface_.copy(window_);
        return window_.update();
    }
    bool rest(std::uint32_t ms) override { return window_.rest(static_cast<int>(ms)); }
    bool over(Player& player, std::uint32_t) override {
        if (escape_pressed()) return true;
        PlayerKey keys[16];
        for (int i = 0, n = take_player_keys(keys, 16); i < n; ++i) player.press(keys[i], clock_ms());
        return false;
    }

private:
    DisplayWindow& window_;
    OffscreenSurface& surface_;
};

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

    if (escape_pressed()) return "";  // Escape already down: no frame at all
    // Untouched, the player shows the clock count itself.
    Player player(fennick_program, clock_ms());
    DemoScreen screen(window, frame_surface);
    run_player_loop(player, screen);
    return "";
}
