#pragma once
// The page's pixels: a canvas's ImageData holds bytes R, G, B, A in memory
// order, which a little-endian 32-bit load reads as 0xAABBGGRR.
#include <cstddef>
#include <cstdint>

#include "rgb.h"

// 0x00RRGGBB to the opaque ImageData pixel 0xFFBBGGRR.
inline std::uint32_t rgba_pixel(std::uint32_t p) {
    return 0xFF000000u | (blue(p) << 16) | (green(p) << 8) | red(p);
}

// Converts `count` pixels; `from` and `to` may be the same buffer. A plain
// loop: with -msimd128 the compiler turns it into SIMD128 shuffles.
inline void to_rgba(const std::uint32_t* from, std::uint32_t* to, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) to[i] = rgba_pixel(from[i]);
}
