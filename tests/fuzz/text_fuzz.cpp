// draw_text with any text through "%s" and any alpha, colour, position and
// centring, and draw_glyph with any character code, into the 320x200 frame.
// Nothing outside the frame is written (guard words); the pixels and the
// result equal a plain reference: cells start every 7 columns, the text stops
// when a cell would start past column 313, a line feed goes 14 rows down (at
// most to row 186) and back to column 7, cells at x >= 313 or y >= 186 and
// codes above 127 are not drawn, ink left of column 0 or above row 0 is
// skipped, and a text longer than 5,095 characters is cut there (result 0).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "font_7x14.h"
#include "frame.h"
#include "fuzz_support.h"
#include "text_overlay.h"

namespace {

// (1 - alpha) * old + alpha * ink in single precision, truncated; alphas
// outside 0 ... 1 give values that are held at 0 ... 255.
std::uint32_t plain_mix(float alpha, std::uint32_t old, std::uint32_t ink) {
    const float v = (1.0f - alpha) * static_cast<float>(old) + alpha * static_cast<float>(ink);
    if (std::isnan(v) || v <= 0.0f) return 0;
    if (v >= 255.0f) return 255;
    return static_cast<std::uint32_t>(v);
}

void plain_glyph(float alpha, int red, int green, int blue, std::int64_t x, std::int64_t y, std::uint32_t* frame,
                 int code) {
    if (x >= 313 || y >= 186 || code < 0 || code > 127) return;
    const std::uint32_t r8 = red & 0xFF, g8 = green & 0xFF, b8 = blue & 0xFF;
    for (int r = 0; r < 14; ++r)
        for (int k = 0; k < 7; ++k) {
            if (font_7x14[static_cast<std::size_t>(r) * 1050 + 7 * code + k] != 1) continue;
            const std::int64_t px = x + k, py = y + r;
            if (px < 0 || py < 0) continue;
            std::uint32_t& p = frame[py * 320 + px];
            if (alpha == 1.0f)
                p = (r8 << 16) | (g8 << 8) | b8;
            else
                p = (plain_mix(alpha, (p >> 16) & 0xFF, r8) << 16) | (plain_mix(alpha, (p >> 8) & 0xFF, g8) << 8) |
                    plain_mix(alpha, p & 0xFF, b8);
        }
}

int plain_text(float alpha, int centred, int red, int green, int blue, int x, int y, std::uint32_t* frame,
               const std::string& whole) {
    if (alpha == 0.0f) return 0;
    const bool cut = whole.size() > 5095;
    const std::string text = whole.substr(0, 5095);
    std::int64_t pen = std::int64_t{x} - 7, row = y;
    if (centred) {
        pen -= static_cast<std::int64_t>(7 * text.size() / 2);
        row = std::int64_t{y} - 7;
    }
    for (unsigned char c : text) {
        pen += 7;
        if (pen > 313) return 0;
        if (c == '\n') {
            row = std::min<std::int64_t>(row + 14, 186);
            pen = 0;
        } else {
            plain_glyph(alpha, red, green, blue, pen, row, frame, c);
        }
    }
    return cut ? 0 : 1;
}

// Positions: mostly around the frame, now and then any int.
int take_position(FuzzInput& in, bool any) {
    const std::int32_t v = in.take<std::int32_t>();
    return any ? v : static_cast<int>(v % 400) - 40;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::uint8_t mode = in.take<std::uint8_t>();
    // Mostly alphas of 0 ... 1 in 1/256 steps; else any float bits.
    const std::uint32_t alpha_bits = in.take<std::uint32_t>();
    float alpha;
    if (mode & 4)
        std::memcpy(&alpha, &alpha_bits, 4);
    else
        alpha = static_cast<float>(alpha_bits % 257) / 256.0f;
    const int red = in.take<std::int32_t>(), green = in.take<std::int32_t>(), blue = in.take<std::int32_t>();
    const int x = take_position(in, mode & 8), y = take_position(in, mode & 16);
    const int centred = (mode & 32) ? in.take<std::int32_t>() : 0;
    const std::uint32_t seed = in.take<std::uint32_t>();

    GuardedBuffer<std::uint32_t> frame(frame_pixels);
    std::vector<std::uint32_t> expected(frame_pixels);
    fill_pattern(expected.data(), frame_pixels, seed);
    for (std::uint32_t& p : expected) p &= 0x00FFFFFF;
    std::memcpy(frame.data(), expected.data(), frame_pixels * 4);

    if (mode & 1) {
        const int code = in.take<std::int32_t>();
        const int wide_code = (mode & 2) ? code : (code & 0xFF);
        draw_glyph(frame_canvas(frame.data()), {alpha, red, green, blue}, x, y, wide_code);
        plain_glyph(alpha, red, green, blue, x, y, expected.data(), wide_code);
    } else {
        // The text: the rest of the input up to its first NUL, repeated to
        // more than the buffer holds when asked.
        std::string text(reinterpret_cast<const char*>(in.rest()), in.rest_size());
        text = text.substr(0, text.find('\0'));
        if ((mode & 2) && !text.empty())
            while (text.size() < 5200) text += text;
        const int got = draw_text(frame_canvas(frame.data()), {alpha, red, green, blue, centred != 0}, x, y, "%s", text.c_str());
        const int want = plain_text(alpha, centred, red, green, blue, x, y, expected.data(), text);
        FUZZ_CHECK(got == want, "draw_text returned %d, expected %d", got, want);
    }
    FUZZ_CHECK(frame.guards_intact(), "write outside the frame");
    FUZZ_CHECK(std::memcmp(frame.data(), expected.data(), frame_pixels * 4) == 0,
               "pixels differ from the plain reference (alpha %g, x %d, y %d)", alpha, x, y);
    return 0;
}
