#pragma once
// The additive blends of the line rasterizer, byte by byte: the reference
// of the four-lane forms in pixel_lanes.h. Defined in aaline.cpp.
//
// The same for all four bytes of a pixel, with saturation at 255:
#include <cstdint>

// Adds 2*floor(c*w / 65536) of each byte c of color to pixel; w is 0 ... 32767.
std::uint32_t add_weighted(std::uint32_t pixel, std::uint32_t color, std::uint32_t weight);
// Splits color between a near and a far pixel by the fraction f (0 ... 65535)
// of the line's position between them: with a = floor(c*floor(f/2) / 65536)
// the far pixel gets 2*a and the near one 2*(floor(c/2) - a).
void add_split(std::uint32_t& near_pixel, std::uint32_t& far_pixel, std::uint32_t color, std::uint32_t fraction);
