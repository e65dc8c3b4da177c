#pragma once
// The player of a program on the screen: the viewer's keys over the shown
// time (core/show_time.h), the one-line overlay the I key shows on the
// presented picture, and the frame's guides that G draws under it. Each
// shell maps its own key events to PlayerKey (platform/sdl_screen.cpp,
// platform/player_keys_win32.cpp) and draws the overlay on what it presents
// (shell/player_loop.h), never on a still frame or a capture.
#include <cstdint>

#include "canvas.h"
#include "player_key.h"
#include "program.h"
#include "show_time.h"

class Player {
public:
    // The show of `program` starts at clock reading `now`.
    Player(const ProgramInfo& program, std::uint32_t now)
        : program_(program), time_(program.clock, now, program.step_ms) {}

    // The shown time at clock reading `now`: untouched, the program's clock.
    std::uint32_t shown(std::uint32_t now) const { return time_.at(now); }
    void press(PlayerKey key, std::uint32_t now);

    bool overlay_on() const { return overlay_; }
    bool guides_on() const { return guides_; }
    // Whether draw_over draws anything: the overlay, or the guides of a
    // program that has them.
    bool draws_over() const { return overlay_ || (guides_ && program_.draw_guides); }
    // Counts a frame about to be drawn and presented, for the overlay's
    // frames per second and time per frame (over the last whole second of
    // presents), and keeps what it shows.
    void presented(std::uint32_t now);
    // Whether a present at clock reading `now` would show what the last one
    // did, so that the loop may rest instead: paused since then at the same
    // shown time, speed, marks, overlay and guides. With the overlay on, a
    // present is still due every `overlay_rest_ms`, so that its rate falls
    // to what is shown.
    bool unchanged(std::uint32_t now) const;
    static constexpr std::uint32_t overlay_rest_ms = 500;
    // The overlay's line (overlay_line.h) at the top of the presented
    // picture, when it is on.
    void draw_overlay(const Canvas& canvas, std::uint32_t shown) const;
    // What the player adds over the frame at `shown` that the program just
    // drew: its guides when they are on, then the overlay.
    void draw_over(const Canvas& canvas, std::uint32_t shown) const;

private:
    const ProgramInfo& program_;
    ShowTime time_;
    bool overlay_ = false;
    bool guides_ = false;
    std::uint32_t window_start_ = 0;  // the rate's second
    int window_frames_ = 0;
    bool window_open_ = false;
    int frames_per_second_ = 0;  // of the last whole second; 0 before one
    struct Shown {                // what the last present showed
        bool any = false;
        std::uint32_t at = 0, shown = 0;
        bool paused = false, overlay = false, guides = false;
        int speed_quarters = 0;
        ShowTime::Marks marks;
    } last_;
};
