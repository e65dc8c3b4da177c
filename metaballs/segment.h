#pragma once
// Contour segments from grid space to the screen: transformed by the frame's
// transform, projected onto the screen by depth and drawn as antialiased lines.
#include <cstdint>

#include "aaline.h"
#include "draw_target.h"
#include "transform.h"

constexpr double focal_length = 256.0;  // pixels, both axes
constexpr double screen_centre_x = 160.0;
constexpr double screen_centre_y = 120.0;

struct ScreenPoint {
    double x, y;
};

// Camera space (third component = depth, Z > 0) to pixels:
// sx = 256*X/Z + 160, sy = 256*Y/Z + 120, unrounded.
inline ScreenPoint project(const Vector& q) {
    return {focal_length * q.x / q.z + screen_centre_x, focal_length * q.y / q.z + screen_centre_y};
}

// What the segments of one frame are drawn with: the frame's transform, the
// surface, and the one line record that every segment reuses.
struct SegmentPainter {
    const Matrix& frame_transform;
    DrawTarget& frame_surface;
    AALine& line;

    // Draws the segment p1 -> p2 (grid space); p1 becomes the record's
    // first end. Every field of the record is rewritten before the draw.
    void draw_segment(const Vector& p1, const Vector& p2, std::uint32_t color);

    // As a contour sink.
    void operator()(const Vector& p1, const Vector& p2, std::uint32_t color) { draw_segment(p1, p2, color); }
};
