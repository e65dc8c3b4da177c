#include "text_overlay.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

#include "font_7x14.h"
#include "rgb.h"

namespace {

constexpr int highest_drawn_code = 127;
constexpr unsigned char line_feed = '\n';

// (1 - alpha) * old + alpha * ink in single precision, truncated toward zero.
// For alpha in 0 ... 1 the result is always 0 ... 255; other alphas saturate
// there rather than spill into the neighbouring channel.
inline std::uint32_t mix_channel(float alpha, std::uint32_t old, std::uint32_t ink) {
    const float v = (1.0f - alpha) * static_cast<float>(old) + alpha * static_cast<float>(ink);
    if (!(v > 0.0f)) return 0;  // also NaN
    if (v >= 255.0f) return 255;
    return static_cast<std::uint32_t>(v);
}

inline int clamp_to_int(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

int text_right_margin(const Canvas& canvas) { return canvas.width - glyph_width; }
int text_bottom_row(const Canvas& canvas) { return canvas.height - glyph_height; }

void draw_glyph(const Canvas& canvas, const TextStyle& style, int x, int y, int character) {
    if (x >= text_right_margin(canvas) || y >= text_bottom_row(canvas)) return;
    if (character < 0 || character > highest_drawn_code) return;
    // Ink left of column 0 or above row 0 has no pixel to go to.
    const int first_col = static_cast<int>(std::min<std::int64_t>(glyph_width, std::max<std::int64_t>(0, -std::int64_t{x})));
    const int first_row = static_cast<int>(std::min<std::int64_t>(glyph_height, std::max<std::int64_t>(0, -std::int64_t{y})));
    const std::uint32_t ink = pack_rgb(static_cast<std::uint32_t>(style.red), static_cast<std::uint32_t>(style.green),
                                       static_cast<std::uint32_t>(style.blue));
    const float alpha = style.alpha;
    const bool opaque = alpha == 1.0f;
    for (int r = first_row; r < glyph_height; ++r) {
        std::uint32_t* line = canvas.row(y + r);
        for (int k = first_col; k < glyph_width; ++k) {
            if (font_byte(character, r, k) != font_ink) continue;
            std::uint32_t& p = line[x + k];
            p = opaque ? ink
                       : pack_rgb(mix_channel(alpha, red(p), red(ink)), mix_channel(alpha, green(p), green(ink)),
                                  mix_channel(alpha, blue(p), blue(ink)));
        }
    }
}

int draw_text_v(const Canvas& canvas, const TextStyle& style, int x, int y, const char* format, std::va_list args) {
    if (style.alpha == 0.0f) return 0;
    char text[text_buffer_bytes];
    const int wanted = std::vsnprintf(text, sizeof text, format, args);
    if (wanted < 0) text[0] = '\0';
    const std::size_t len = std::strlen(text);
    const bool cut = wanted >= 0 && static_cast<std::size_t>(wanted) >= sizeof text;

    // The pen moves before each cell: it starts one cell left of x.
    std::int64_t pen = std::int64_t{x} - glyph_width;
    std::int64_t row = y;
    if (style.centred) {
        pen -= static_cast<std::int64_t>(glyph_width * len / 2);
        row = std::int64_t{y} - glyph_height / 2;
    }
    const int right_margin = text_right_margin(canvas), bottom_row = text_bottom_row(canvas);
    for (std::size_t i = 0; i < len; ++i) {
        pen += glyph_width;
        if (pen > right_margin) return 0;
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == line_feed) {
            row = std::min<std::int64_t>(row + glyph_height, bottom_row);
            pen = 0;
        } else {
            draw_glyph(canvas, style, clamp_to_int(pen), clamp_to_int(row), c);
        }
    }
    return cut ? 0 : 1;
}

int draw_text(const Canvas& canvas, const TextStyle& style, int x, int y, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const int result = draw_text_v(canvas, style, x, y, format, args);
    va_end(args);
    return result;
}
