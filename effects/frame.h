#pragma once
// The frame buffer the fullscreen scenes draw into: 320x200 pixels of
// 0x00RRGGBB, row-major, 320 pixels per row with no gap.
#include <cstdint>

constexpr int frame_width = 320;
constexpr int frame_height = 200;
constexpr int frame_pixels = frame_width * frame_height;

// Channels of a 0x00RRGGBB pixel, read with shifts so the code never depends
// on byte order.
constexpr std::uint32_t red(std::uint32_t p) { return (p >> 16) & 0xFFu; }
constexpr std::uint32_t green(std::uint32_t p) { return (p >> 8) & 0xFFu; }
constexpr std::uint32_t blue(std::uint32_t p) { return p & 0xFFu; }
// Packs the low 8 bits of each channel; the top byte is 0.
constexpr std::uint32_t pack_rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return ((r & 0xFFu) << 16) | ((g & 0xFFu) << 8) | (b & 0xFFu);
}
