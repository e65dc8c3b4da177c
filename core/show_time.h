#pragma once
// The time a viewer is shown: the program's clock as it runs, until the
// viewer pauses it, steps it by a tick, moves it by seconds or to a step of
// the show, restarts it, plays it faster or slower or repeats a stretch of
// it (A-B). Untouched, it is exactly the clock: the system's count itself
// (fennick), or the milliseconds since the show's start (the fullscreen
// programs). All of it is a function of the clock readings it is given, so
// it is tested without a clock.
#include <cstdint>
#include <utility>

#include "program.h"
#include "ticks.h"

class ShowTime {
public:
    // Speeds, in quarters of the clock's own: 1/4, 1/2, 1, 2 and 4 times.
    static constexpr int slowest_quarters = 1;
    static constexpr int normal_quarters = 4;
    static constexpr int fastest_quarters = 16;

    // Without steps, the step keys move this far either way.
    static constexpr std::int64_t stepless_move_ms = 10000;

    // The show starts at clock reading `now`: a system-clock program shows
    // `now` itself, a scene 0. `step_ms` is the length of the show's steps
    // (ProgramInfo::step_ms), 0 for none.
    ShowTime(ProgramClock clock, std::uint32_t now, std::uint32_t step_ms = 0)
        : clock_(clock),
          step_ms_(step_ms),
          start_(clock == ProgramClock::system ? now : 0),
          base_now_(now),
          base_shown_(start_) {}

    // The shown time at clock reading `now`: the shown time of the last
    // change plus the clock's advance since then at the speed (rounded down),
    // modulo 2^32 (the system count wraps as the clock does); while an A-B
    // stretch repeats, that advance goes round the stretch.
    std::uint32_t at(std::uint32_t now) const {
        if (paused_) return base_shown_;
        const std::uint64_t elapsed = static_cast<std::uint32_t>(now - base_now_);
        const std::uint64_t advance = elapsed * static_cast<std::uint32_t>(quarters_) / 4;
        if (!repeating()) return base_shown_ + static_cast<std::uint32_t>(advance);
        return in_stretch(into_stretch(base_shown_) + advance);
    }

    bool paused() const { return paused_; }
    int speed_quarters() const { return quarters_; }

    // The A-B marks, as the overlay and the timeline show them. While both
    // are set the shown time stays in the stretch [A, B): reaching B, it goes
    // on from A, at the speed, paused or not.
    struct Marks {
        bool a = false, b = false;
        std::uint32_t a_ms = 0, b_ms = 0;
        bool operator==(const Marks& other) const {
            return a == other.a && b == other.b && a_ms == other.a_ms && b_ms == other.b_ms;
        }
    };
    Marks marks() const { return {marked_a_, repeating(), mark_a_, mark_a_ + repeat_ms_}; }
    bool repeating() const { return repeat_ms_ != 0; }

    // A: with no mark set, marks A at the shown time; with one set, clears
    // the marks and the show plays on from where it is.
    void mark_a(std::uint32_t now) {
        rebase(now);
        if (marked_a_) return clear_marks();
        marked_a_ = true;
        mark_a_ = base_shown_;
    }
    // B, once A is set: marks B at the shown time, and the show goes on from
    // A. A B before A marks the stretch between them (the two swap); a B at
    // A, which would repeat nothing, is refused. Pressed again while
    // repeating, it moves B to the shown time.
    void mark_b(std::uint32_t now) {
        if (!marked_a_) return;
        rebase(now);
        std::uint32_t end = base_shown_;
        if (earlier(end, mark_a_)) std::swap(end, mark_a_);
        if (end == mark_a_) return;
        repeat_ms_ = end - mark_a_;
        if (base_shown_ == end) base_shown_ = mark_a_;
    }

    void toggle_pause(std::uint32_t now) {
        rebase(now);
        paused_ = !paused_;
    }
    // One tick (16 ms) forward or back, while paused only.
    void step(std::uint32_t now, int ticks) {
        if (paused_) move(now, static_cast<std::int64_t>(ticks) * tick_ms);
    }
    // By `ms` (1 s, 10 s, either way), paused or not. A scene's time stops
    // at 0; the system count wraps; in a repeating stretch the move goes
    // round it, as playing does.
    void move(std::uint32_t now, std::int64_t ms) {
        rebase(now);
        if (repeating()) {
            const std::int64_t length = repeat_ms_, into = (into_stretch(base_shown_) + ms) % length;
            base_shown_ = in_stretch(static_cast<std::uint64_t>(into < 0 ? into + length : into));
            return;
        }
        const std::int64_t target = static_cast<std::int64_t>(base_shown_) + ms;
        if (clock_ == ProgramClock::system) base_shown_ = static_cast<std::uint32_t>(target);
        else base_shown_ = target < 0 ? 0u : target > 0xFFFFFFFF ? 0xFFFFFFFFu : static_cast<std::uint32_t>(target);
    }
    // To the start of the next step (`way` 1) or of this one (-1; of the one
    // before when on a step's start), as a move; without steps, 10 s.
    void to_step(std::uint32_t now, int way) {
        if (step_ms_ == 0) return move(now, way * stepless_move_ms);
        const std::uint32_t into = at(now) % step_ms_;
        move(now, way > 0 ? static_cast<std::int64_t>(step_ms_ - into) : -static_cast<std::int64_t>(into ? into : step_ms_));
    }
    // To shown time `ms` (a moment chosen on the timeline or in an address),
    // paused or not. A moment outside the repeating stretch ends the repeat.
    void seek(std::uint32_t now, std::uint32_t ms) {
        rebase(now);
        if (repeating() && into_stretch(ms) >= repeat_ms_) clear_marks();
        base_shown_ = ms;
    }
    // Back to the show's start, paused or not: a seek there.
    void restart(std::uint32_t now) { seek(now, start_); }
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

    void clear_marks() {
        marked_a_ = false;
        repeat_ms_ = 0;
    }
    // Whether shown time `x` comes before `y`: for the wrapping system count,
    // within the half of its circle behind `y`.
    bool earlier(std::uint32_t x, std::uint32_t y) const {
        return clock_ == ProgramClock::system ? static_cast<std::int32_t>(x - y) < 0 : x < y;
    }
    // Where shown time `ms` is from A, and the shown time `offset` from A in
    // the repeating stretch.
    std::uint32_t into_stretch(std::uint32_t ms) const { return ms - mark_a_; }
    std::uint32_t in_stretch(std::uint64_t offset) const {
        return mark_a_ + static_cast<std::uint32_t>(offset % repeat_ms_);
    }

    ProgramClock clock_;
    std::uint32_t step_ms_;
    std::uint32_t start_;      // the shown time at the show's start
    std::uint32_t base_now_;   // clock reading of the last change
    std::uint32_t base_shown_; // shown time then
    int quarters_ = normal_quarters;
    bool paused_ = false;
    bool marked_a_ = false;
    std::uint32_t mark_a_ = 0;    // A, when marked
    std::uint32_t repeat_ms_ = 0; // B - A while repeating, else 0
};
