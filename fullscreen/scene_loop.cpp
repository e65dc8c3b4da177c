// The portable half of the framework: the scene-loop skeleton and the
// entry. Both reach the display only through open_display, close_display,
// present_frame, rest_display and clock_ms, which the platform file (or a test) supplies.
#include "framework.h"
#include "fullscreen_entry.h"
#include "ticks.h"

namespace {
// How long a paused loop sleeps before it looks at its messages again:
// a key is answered within it.
constexpr std::uint32_t rest_ms = 20;
}  // namespace

void run_scene_skeleton(std::uint32_t limit, std::uint32_t* frame_buffer, ScenePass draw_pass) {
    const std::uint32_t start = clock_ms();
    if (limit == 0) return;
    Player player(fullscreen_program, start);
    show_scene_player(&player);
    const Canvas canvas = packed_canvas(frame_buffer, fullscreen_program.width, fullscreen_program.height);
    std::uint32_t tick;
    do {
        // Untouched, the shown time is the unsigned difference now - start:
        // a wrap of the millisecond counter between the two readings does no
        // harm.
        const std::uint32_t now = clock_ms();
        const std::uint32_t shown = player.shown(now);
        tick = tick_of(shown);
        if (player.unchanged(now)) {
            rest_display(frame_buffer, rest_ms);  // keys and exposes wake it
            continue;
        }
        draw_pass(frame_buffer, tick, start);
        player.draw_overlay(canvas, shown);
        present_frame(frame_buffer);
        player.presented(now);
    } while (tick < limit);
    show_scene_player(nullptr);
}

int run_fullscreen(OpenFailure on_open_failure) {
    while (!open_display(display_title, fullscreen_program.width, fullscreen_program.height))
        if (!on_open_failure || !on_open_failure()) return 1;
    run_scene_loop(tick_of(fullscreen_program.show_ms));
    close_display();
    return 0;
}
