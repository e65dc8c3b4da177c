#pragma once
// A view of pixels to draw on: `width` x `height` 0x00RRGGBB pixels, row y
// starting `stride` pixels after row y - 1. Every primitive draws through
// one; the canvas owns nothing.
#include <cstddef>
#include <cstdint>

struct Canvas {
    std::uint32_t* pixels;
    int width;
    int height;
    int stride;  // pixels from one row to the next, >= width

    std::uint32_t* row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
    std::uint32_t& at(int x, int y) const { return row(y)[x]; }
};

// A canvas over `width` x `height` pixels packed row after row.
inline Canvas packed_canvas(std::uint32_t* pixels, int width, int height) {
    return Canvas{pixels, width, height, width};
}
