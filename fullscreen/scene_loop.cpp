// The portable half of the framework: the scene-loop skeleton and the
// entry. Both reach the display only through open_display, close_display,
// present_frame, rest_display and clock_ms, which the platform file (or a test) supplies.
#include "framework.h"
#include "fullscreen_entry.h"
#include "player_loop.h"
#include "ticks.h"

namespace {

// The scene programs' screen: a pass draws the frame of the shown time
// (framework.h), present_frame shows it (and ends the process on Escape or a close,
// so the window never goes away under the loop), and the show is over with
// the first frame at or past the limit.
class SceneScreen final : public PlayerScreen {
public:
    SceneScreen(std::uint32_t limit, std::uint32_t* frame_buffer, const SceneFrame& frame)
        : limit_(limit), frame_buffer_(frame_buffer), frame_(frame),
          canvas_(packed_canvas(frame_buffer, fullscreen_program.width, fullscreen_program.height)) {}

    bool show(const Player& player, std::uint32_t shown) override {
        const std::uint32_t tick = tick_of(shown);
        if (frame_.background(canvas_, tick)) frame_.scene(canvas_, tick, static_cast<std::int32_t>(scene_ms()));
        player.draw_over(canvas_, shown);
        present_frame(frame_buffer_);
        return true;
    }
    bool rest(std::uint32_t ms) override {
        rest_display(frame_buffer_, ms);
        return true;
    }
    bool over(Player&, std::uint32_t shown) override { return tick_of(shown) >= limit_; }

private:
    std::uint32_t limit_;
    std::uint32_t* frame_buffer_;
    const SceneFrame& frame_;
    Canvas canvas_;
};

}  // namespace

void run_scene_skeleton(std::uint32_t limit, std::uint32_t* frame_buffer, const SceneFrame& frame) {
    // Untouched, the shown time is the unsigned difference now - start: a
    // wrap of the millisecond counter between two readings does no harm.
    const std::uint32_t start = clock_ms();
    if (limit == 0) return;
    Player player(fullscreen_program, start);
    show_scene_player(&player);
    SceneScreen screen(limit, frame_buffer, frame);
    run_player_loop(player, screen);
    show_scene_player(nullptr);
}

int run_fullscreen(OpenFailure on_open_failure) {
    while (!open_display(display_title, fullscreen_program.width, fullscreen_program.height))
        if (!on_open_failure || !on_open_failure()) return 1;
    run_scene_loop(tick_of(fullscreen_program.show_ms));
    close_display();
    return 0;
}
