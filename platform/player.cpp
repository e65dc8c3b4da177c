#include "player.h"

#include "text_overlay.h"

namespace {

constexpr std::int64_t one_second = 1000, ten_seconds = 10000;

// White on the picture, opaque, from the top left corner: the shown time in
// ms and its tick, "||" while paused, the speed, the rate of presents.
constexpr TextStyle overlay_style{1.0f, 255, 255, 255};
constexpr int overlay_x = 2, overlay_y = 2;

const char* speed_text(int quarters) {
    switch (quarters) {
        case 1: return "1/4x";
        case 2: return "1/2x";
        case 8: return "2x";
        case 16: return "4x";
        default: return "1x";
    }
}

}  // namespace

void Player::press(PlayerKey key, std::uint32_t now) {
    switch (key) {
        case PlayerKey::toggle_pause: time_.toggle_pause(now); break;
        case PlayerKey::step_back: time_.step(now, -1); break;
        case PlayerKey::step_forward: time_.step(now, 1); break;
        case PlayerKey::back_second: time_.move(now, -one_second); break;
        case PlayerKey::forward_second: time_.move(now, one_second); break;
        case PlayerKey::back_ten_seconds: time_.move(now, -ten_seconds); break;
        case PlayerKey::forward_ten_seconds: time_.move(now, ten_seconds); break;
        case PlayerKey::slower: time_.slower(now); break;
        case PlayerKey::faster: time_.faster(now); break;
        case PlayerKey::restart: time_.restart(now); break;
        case PlayerKey::toggle_overlay: overlay_ = !overlay_; break;
    }
}

void Player::presented(std::uint32_t now) {
    if (!window_open_) {
        window_open_ = true;
        window_start_ = now;
        window_frames_ = 0;
    }
    ++window_frames_;
    if (now - window_start_ >= one_second) {
        frames_per_second_ = static_cast<int>(window_frames_ * one_second / (now - window_start_));
        window_start_ = now;
        window_frames_ = 0;
    }
}

void Player::draw_overlay(const Canvas& canvas, std::uint32_t shown) const {
    if (!overlay_) return;
    const double ms_per_frame = frames_per_second_ > 0 ? 1000.0 / frames_per_second_ : 0.0;
    // At most 45 cells fit a 320-pixel line: "splines2 287999 t17999 ||1/4x 60fps 16.7ms".
    draw_text(canvas, overlay_style, overlay_x, overlay_y, "%s %u t%u %s%s %dfps %.1fms", program_.name,
              static_cast<unsigned>(shown), static_cast<unsigned>(tick_of(shown)), time_.paused() ? "||" : "",
              speed_text(time_.speed_quarters()), frames_per_second_, ms_per_frame);
}
