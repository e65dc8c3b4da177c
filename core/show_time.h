#pragma once
// The time a viewer is shown: the program's clock as it runs, until the
// viewer pauses it, steps it by a tick, moves it by seconds, restarts it or
// plays it faster or slower. Untouched, it is exactly the clock: the
// system's count itself (fennick), or the milliseconds since the show's
// start (the fullscreen programs). All of it is a function of the clock
// readings it is given, so it is tested without a clock.
#include <cstdint>

#include "program.h"
#include "ticks.h"

class ShowTime {
public:
    // Speeds, in quarters of the clock's own: 1/4, 1/2, 1, 2 and 4 times.
    static constexpr int slowest_quarters = 1;
    static constexpr int normal_quarters = 4;
    static constexpr int fastest_quarters = 16;

    // The show starts at clock reading `now`: a system-clock program shows
    // `now` itself, a scene 0.
    ShowTime(ProgramClock clock, std::uint32_t now)
        : clock_(clock), start_(clock == ProgramClock::system ? now : 0), base_now_(now), base_shown_(start_) {}

    // The shown time at clock reading `now`: the shown time of the last
    // change plus the clock's advance since then at the speed (rounded down),
    // modulo 2^32 (the system count wraps as the clock does).
    std::uint32_t at(std::uint32_t now) const {
        if (paused_) return base_shown_;
        const std::uint64_t elapsed = static_cast<std::uint32_t>(now - base_now_);
        return base_shown_ + static_cast<std::uint32_t>(elapsed * static_cast<std::uint32_t>(quarters_) / 4);
    }

    bool paused() const { return paused_; }
    int speed_quarters() const { return quarters_; }

    void toggle_pause(std::uint32_t now) {
        rebase(now);
        paused_ = !paused_;
    }
    // One tick (16 ms) forward or back, while paused only.
    void step(std::uint32_t now, int ticks) {
        if (paused_) move(now, static_cast<std::int64_t>(ticks) * tick_ms);
    }
    // By `ms` (1 s, 10 s, either way), paused or not. A scene's time stops
    // at 0; the system count wraps.
    void move(std::uint32_t now, std::int64_t ms) {
        rebase(now);
        const std::int64_t target = static_cast<std::int64_t>(base_shown_) + ms;
        if (clock_ == ProgramClock::system) base_shown_ = static_cast<std::uint32_t>(target);
        else base_shown_ = target < 0 ? 0u : target > 0xFFFFFFFF ? 0xFFFFFFFFu : static_cast<std::uint32_t>(target);
    }
    // Back to the show's start, paused or not.
    void restart(std::uint32_t now) {
        rebase(now);
        base_shown_ = start_;
    }
    // Twice or half the speed, within 1/4 ... 4 times.
    void faster(std::uint32_t now) { set_speed(now, quarters_ * 2); }
    void slower(std::uint32_t now) { set_speed(now, quarters_ / 2); }

private:
    // The shown time at `now` becomes the base of what follows.
    void rebase(std::uint32_t now) {
        base_shown_ = at(now);
        base_now_ = now;
    }
    void set_speed(std::uint32_t now, int quarters) {
        if (quarters < slowest_quarters || quarters > fastest_quarters) return;
        rebase(now);
        quarters_ = quarters;
    }

    ProgramClock clock_;
    std::uint32_t start_;      // the shown time at the show's start
    std::uint32_t base_now_;   // clock reading of the last change
    std::uint32_t base_shown_; // shown time then
    int quarters_ = normal_quarters;
    bool paused_ = false;
};
