#include "picture_scale.h"

#include <cstddef>

namespace {

const std::int64_t fixed_one = 65536;  // 16.16: 1.0
const std::uint32_t fixed_half = 32768;

// Block row k of a frame scaled by `scale`: the frame row it repeats.
const std::uint32_t* block_row(const std::uint32_t* source, int width, int scale, int k) {
    return source + static_cast<std::size_t>(k / scale) * width;
}

// One output row: each frame pixel repeated `scale` times.
void widen_row(const std::uint32_t* row, int width, int scale, std::uint32_t* out) {
    for (int x = 0; x < width; ++x)
        for (int i = 0; i < scale; ++i) *out++ = row[x];
}

// Channels of a and b mixed as (a*(1-f) + b*f), f in 1/65536, rounded.
std::uint32_t mix(std::uint32_t a, std::uint32_t b, std::uint32_t f) {
    std::uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        std::uint32_t ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        std::uint32_t c = (ca * (65536 - f) + cb * f + fixed_half) >> 16;
        result |= c << shift;
    }
    return result;
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
            widen_row(block_row(source, width, scale, j), width, scale, out);
            continue;
        }
        // Centre of output row j in block rows: (j + 0.5) * block_height / height_out - 0.5.
        std::int64_t pos = (2 * j + 1) * block_height * fixed_one / (2 * size.height) - fixed_one / 2;
        if (pos < 0) pos = 0;
        int k0 = static_cast<int>(pos >> 16);
        int k1 = k0 + 1 < block_height ? k0 + 1 : k0;
        std::uint32_t f = static_cast<std::uint32_t>(pos & 0xFFFF);
        const std::uint32_t* row0 = block_row(source, width, scale, k0);
        const std::uint32_t* row1 = block_row(source, width, scale, k1);
        for (int x = 0; x < width; ++x) {
            std::uint32_t p = row0 == row1 ? row0[x] : mix(row0[x], row1[x], f);
            for (int i = 0; i < scale; ++i) *out++ = p;
        }
    }
}
