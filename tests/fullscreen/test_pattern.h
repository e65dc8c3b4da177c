#pragma once
// The known picture the display tests look for: 8 x 4 blocks of 40 x 50
// pixels, each block one colour whose channels have low bits set, so that a
// 16-bit screen visibly truncates them. Shared by the pattern program and
// the test DirectDraw library, which checks the locked surface against it.
#include <cstdint>

namespace test_pattern {

constexpr int width = 320, height = 200;
constexpr int block_width = 40, block_height = 50;

constexpr std::uint32_t block_color(int column, int row) {
    const std::uint32_t reds[8] = {0x07, 0x27, 0x47, 0x67, 0x87, 0xA7, 0xC7, 0xFF};
    const std::uint32_t greens[4] = {0x03, 0x57, 0xAB, 0xFF};
    const std::uint32_t blue = (0xE5u - 0x1Cu * column + 0x31u * row) & 0xFF;
    return (reds[column] << 16) | (greens[row] << 8) | blue;
}

constexpr std::uint32_t pixel(int x, int y) { return block_color(x / block_width, y / block_height); }

inline void draw(std::uint32_t* frame) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) frame[y * width + x] = pixel(x, y);
}

}  // namespace test_pattern
