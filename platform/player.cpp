#include "player.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "text_overlay.h"

namespace {

constexpr std::int64_t one_second = 1000, ten_seconds = 10000;

// White, opaque, on a dark band in the top left corner: the shown time in
// ms and its tick, "||" while paused, the speed, the rate of presents. The
// band reaches `band_margin` pixels beyond the text's 7x14 cells.
constexpr TextStyle overlay_style{1.0f, 255, 255, 255};
constexpr int band_margin = 2, cell_width = 7, cell_height = 14;

// `line` cut to the cells that fit `width` pixels with the band's margins,
// by whole space-separated fields from its end, never within one.
std::string fit_fields(std::string line, int width) {
    const std::size_t cells = static_cast<std::size_t>(std::max(0, (width - 2 * band_margin) / cell_width));
    while (line.size() > cells) {
        const std::size_t space = line.rfind(' ');
        line.resize(space == std::string::npos ? cells : space);
    }
    return line;
}

// An eighth of the picture shows through the band: each channel of the
// pixels in [0, width) x [0, height) becomes floor(channel / 8), at most 31,
// so white text on it keeps a contrast of at least 16:1 on any picture.
void darken_band(const Canvas& canvas, int width, int height) {
    width = std::min(width, canvas.width);
    height = std::min(height, canvas.height);
    for (int y = 0; y < height; ++y)
        for (std::uint32_t *p = canvas.row(y), *end = p + width; p != end; ++p) *p = (*p >> 3) & 0x1F1F1Fu;
}

// The time per frame at `fps` frames a second in tenths of a millisecond,
// 10000 / fps rounded to the nearest, a half to even (0 for no rate): the
// digits that %.1f gives for 1000.0 / fps, without floating point, so that
// no C runtime's rounding of halves (31.25 ms at 32 fps) decides them.
int tenths_of_ms_per_frame(int fps) {
    if (fps <= 0) return 0;
    const int whole = 10000 / fps, twice_rest = 10000 % fps * 2;
    return whole + (twice_rest > fps || (twice_rest == fps && whole % 2 == 1));
}

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
    last_ = Shown{true, now, time_.at(now), time_.paused(), overlay_, time_.speed_quarters()};
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
                      last_.overlay == overlay_ && last_.speed_quarters == time_.speed_quarters();
    return same && (!overlay_ || now - last_.at < overlay_rest_ms);
}

void Player::draw_overlay(const Canvas& canvas, std::uint32_t shown) const {
    if (!overlay_) return;
    const int tenths = tenths_of_ms_per_frame(frames_per_second_);
    char text[96];  // the longest: "splines2 4294967295 t268435455 ||1/4x 240fps 4.2ms"
    std::snprintf(text, sizeof text, "%s %u t%u %s%s %dfps %d.%dms", program_.name, static_cast<unsigned>(shown),
                  static_cast<unsigned>(tick_of(shown)), time_.paused() ? "||" : "",
                  speed_text(time_.speed_quarters()), frames_per_second_, tenths / 10, tenths % 10);
    const std::string line = fit_fields(text, canvas.width);
    const int cells = static_cast<int>(line.size());
    darken_band(canvas, cells * cell_width + 2 * band_margin, cell_height + 2 * band_margin);
    draw_text(canvas, overlay_style, band_margin, band_margin, "%s", line.c_str());
}
