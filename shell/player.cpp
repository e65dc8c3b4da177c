#include "player.h"

#include <algorithm>
#include <string>

#include "overlay_line.h"
#include "still_frames.h"
#include "text_overlay.h"

namespace {

constexpr std::int64_t one_second = 1000, ten_seconds = 10000;

// White, opaque, on a dark band in the top left corner (overlay_line.h).
// The band reaches `band_margin` pixels beyond the text's 7x14 cells.
constexpr TextStyle overlay_style{1.0f, 255, 255, 255};
constexpr int band_margin = 2, cell_width = 7, cell_height = 14;

// An eighth of the picture shows through the band: each channel of the
// pixels in [0, width) x [0, height) becomes floor(channel / 8), at most 31,
// so white text on it keeps a contrast of at least 16:1 on any picture.
void darken_band(const Canvas& canvas, int width, int height) {
    width = std::min(width, canvas.width);
    height = std::min(height, canvas.height);
    for (int y = 0; y < height; ++y)
        for (std::uint32_t *p = canvas.row(y), *end = p + width; p != end; ++p) *p = (*p >> 3) & 0x1F1F1Fu;
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
        case PlayerKey::mark_a: time_.mark_a(now); break;
        case PlayerKey::mark_b: time_.mark_b(now); break;
        case PlayerKey::previous_step: time_.to_step(now, -1); break;
        case PlayerKey::next_step: time_.to_step(now, 1); break;
        case PlayerKey::toggle_guides: guides_ = !guides_; break;
        case PlayerKey::save_frame: save_shown_frame(program_, last_.any ? last_.shown : time_.at(now), guides_); break;
    }
}

void Player::presented(std::uint32_t now) {
    last_ = Shown{true, now, time_.at(now), time_.paused(), overlay_, guides_, time_.speed_quarters(), time_.marks()};
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

bool Player::unchanged(std::uint32_t now) const {
    const bool same = last_.any && last_.paused && time_.paused() && time_.at(now) == last_.shown &&
                      last_.overlay == overlay_ && last_.guides == guides_ &&
                      last_.speed_quarters == time_.speed_quarters() && last_.marks == time_.marks();
    return same && (!overlay_ || now - last_.at < overlay_rest_ms);
}

void Player::draw_overlay(const Canvas& canvas, std::uint32_t shown) const {
    if (!overlay_) return;
    const int cells_fitting = std::max(0, (canvas.width - 2 * band_margin) / cell_width);
    const std::string line = overlay_line(program_.name, shown, time_, frames_per_second_,
                                          static_cast<std::size_t>(cells_fitting));
    const int cells = static_cast<int>(line.size());
    darken_band(canvas, cells * cell_width + 2 * band_margin, cell_height + 2 * band_margin);
    draw_text(canvas, overlay_style, band_margin, band_margin, "%s", line.c_str());
}

void Player::draw_over(const Canvas& canvas, std::uint32_t shown) const {
    if (guides_ && program_.draw_guides) program_.draw_guides(canvas, shown);
    draw_overlay(canvas, shown);
}
