#include "picture_scale.h"

#include <cstddef>

#include "fixed16.h"
#include "rgb.h"

namespace {

constexpr std::uint32_t fixed_half = fixed_one / 2;  // rounds a 16.16 product to nearest

// One output row: each frame pixel repeated `scale` times.
void widen_row(const std::uint32_t* row, int width, int scale, std::uint32_t* out) {
    for (int x = 0; x < width; ++x)
        for (int i = 0; i < scale; ++i) *out++ = row[x];
}

// Channels of a and b mixed as (a*(1-f) + b*f), f in 1/65536, rounded.
std::uint32_t mix(std::uint32_t a, std::uint32_t b, std::uint32_t f) {
    std::uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t c = (byte_at(a, shift) * (fixed_one - f) + byte_at(b, shift) * f + fixed_half) >> fixed_shift;
        result |= c << shift;
    }
    return result;
}

// Where output pixel i of `out` falls in a frame axis of `frame` pixels
// block-scaled by `scale`: the two frame pixels to mix and the weight of the
// second. The centre of pixel i maps to (i + 0.5) * block / out - 0.5 block
// pixels, floored at 0, in 16.16.
struct Tap {
    int first, second;
    std::uint32_t weight;
};
Tap axis_tap(int i, int out, int frame, int scale) {
    const int block = frame * scale;
    if (out == block) return {i / scale, i / scale, 0};
    std::int64_t pos = (2 * static_cast<std::int64_t>(i) + 1) * block * fixed_one / (2 * out) - fixed_one / 2;
    if (pos < 0) pos = 0;
    const int k0 = static_cast<int>(pos >> fixed_shift);
    const int k1 = k0 + 1 < block ? k0 + 1 : k0;
    return {k0 / scale, k1 / scale, static_cast<std::uint32_t>(pos) & fixed_fraction_mask};
}

std::uint32_t mix_tap(const std::uint32_t* line, int first, int second, std::uint32_t weight) {
    return first == second ? line[first] : mix(line[first], line[second], weight);
}

}  // namespace

PictureSize scaled_picture_size(int width, int height, int scale, bool square_pixels) {
    PictureSize size{width * scale, height * scale};
    if (!square_pixels && height * 4 != width * 3) size.height = width * scale * 3 / 4;
    return size;
}

void scale_picture(const std::uint32_t* source, int width, int height, int scale, bool square_pixels,
                   std::uint32_t* target) {
    const PictureSize size = scaled_picture_size(width, height, scale, square_pixels);
    const int block_height = height * scale;
    for (int j = 0; j < size.height; ++j) {
        std::uint32_t* out = target + static_cast<std::size_t>(j) * size.width;
        if (size.height == block_height) {
            widen_row(source + static_cast<std::size_t>(j / scale) * width, width, scale, out);
            continue;
        }
        const Tap tap = axis_tap(j, size.height, height, scale);
        const std::uint32_t* row0 = source + static_cast<std::size_t>(tap.first) * width;
        const std::uint32_t* row1 = source + static_cast<std::size_t>(tap.second) * width;
        const std::uint32_t f = tap.weight;
        for (int x = 0; x < width; ++x) {
            std::uint32_t p = row0 == row1 ? row0[x] : mix(row0[x], row1[x], f);
            for (int i = 0; i < scale; ++i) *out++ = p;
        }
    }
}

PictureRect fit_picture(int out_width, int out_height, int frame_width, int frame_height, bool square_pixels) {
    PictureRect rect{};
    const int fit_x = out_width / frame_width, fit_y = out_height / frame_height;
    rect.scale = fit_x < fit_y ? fit_x : fit_y;
    if (square_pixels && rect.scale >= 1) {
        rect.w = frame_width * rect.scale;
        rect.h = frame_height * rect.scale;
    } else {
        // Shape: 4:3, or the frame's own when square pixels must shrink it.
        const long shape_w = square_pixels ? frame_width : 4, shape_h = square_pixels ? frame_height : 3;
        rect.w = out_width;
        rect.h = static_cast<int>(out_width * shape_h / shape_w);
        if (rect.h > out_height) {
            rect.h = out_height;
            rect.w = static_cast<int>(out_height * shape_w / shape_h);
        }
        const int block_x = rect.w / frame_width, block_y = rect.h / frame_height;
        rect.scale = block_x < block_y ? block_x : block_y;
    }
    if (rect.scale < 1) rect.scale = 1;
    rect.x = (out_width - rect.w) / 2;
    rect.y = (out_height - rect.h) / 2;
    return rect;
}

void draw_picture(const std::uint32_t* source, int frame_width, int frame_height, const PictureRect& rect,
                  std::uint32_t* target, int target_stride, PictureScratch& scratch) {
    scratch.columns.resize(static_cast<std::size_t>(rect.w) * 3);
    scratch.rows.resize(static_cast<std::size_t>(rect.w) * 2);
    int* columns = scratch.columns.data();
    for (int i = 0; i < rect.w; ++i) {
        const Tap tap = axis_tap(i, rect.w, frame_width, rect.scale);
        columns[i * 3] = tap.first;
        columns[i * 3 + 1] = tap.second;
        columns[i * 3 + 2] = static_cast<int>(tap.weight);
    }
    // Frame rows filtered across, kept by the parity of their number: the two
    // rows an output row mixes are neighbours, so they never displace each other.
    std::uint32_t* across[2] = {scratch.rows.data(), scratch.rows.data() + rect.w};
    int across_row[2] = {-1, -1};
    auto filtered = [&](int y) -> const std::uint32_t* {
        const int slot = y & 1;
        if (across_row[slot] == y) return across[slot];
        const std::uint32_t* line = source + static_cast<std::size_t>(y) * frame_width;
        for (int i = 0; i < rect.w; ++i)
            across[slot][i] = mix_tap(line, columns[i * 3], columns[i * 3 + 1],
                                      static_cast<std::uint32_t>(columns[i * 3 + 2]));
        across_row[slot] = y;
        return across[slot];
    };
    for (int j = 0; j < rect.h; ++j) {
        const Tap tap = axis_tap(j, rect.h, frame_height, rect.scale);
        std::uint32_t* out = target + static_cast<std::size_t>(j) * target_stride;
        const std::uint32_t* first = filtered(tap.first);
        if (tap.first == tap.second) {
            for (int i = 0; i < rect.w; ++i) out[i] = first[i];
            continue;
        }
        const std::uint32_t* second = filtered(tap.second);
        for (int i = 0; i < rect.w; ++i) out[i] = mix(first[i], second[i], tap.weight);
    }
}
