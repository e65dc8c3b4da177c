#pragma once
// The marks a frame's guides (its construction) are drawn with: plain
// 1-pixel lines, dots, crosses and one line of text, each in one opaque
// colour and clipped to the canvas, whatever the coordinates (far outside,
// huge or not finite). A point (x, y) in pixel units is the pixel
// (floor(x), floor(y)).
#include <cstdint>

#include "canvas.h"

// No frame of the pack ever holds these (its pixels are blends of its own
// colours): magenta for points and counts, cyan for what is constructed
// from them.
constexpr std::uint32_t guide_magenta = 0x00FF00FF;
constexpr std::uint32_t guide_cyan = 0x0000FFFF;

// Every pixel of the line from (x0, y0) to (x1, y1) that lies on the canvas.
void guide_line(const Canvas& canvas, double x0, double y0, double x1, double y1, std::uint32_t color);
// A 3x3 dot on the pixel of (x, y).
void guide_dot(const Canvas& canvas, double x, double y, std::uint32_t color);
// A diagonal cross, its arms `arm` pixels long each way from (x, y).
void guide_cross(const Canvas& canvas, double x, double y, int arm, std::uint32_t color);
// An upright cross (+), likewise.
void guide_plus(const Canvas& canvas, double x, double y, int arm, std::uint32_t color);
// One line of formatted text with the 7x14 font at the canvas's bottom left.
void guide_label(const Canvas& canvas, std::uint32_t color, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
