#pragma once
// Drawing primitives of the curve scenes: the checkerboard background,
// antialiased segments made of 2x2 splats in 16.16 fixed point, and quadratic
// Bezier arcs joined from such segments. All of them write 0x00RRGGBB pixels
// with the top byte 0.
#include <cstdint>

#include "fixed16.h"
#include "frame.h"

// A point in pixel units, x to the right, y downwards.
struct Point2 {
    double x;
    double y;
};

// Paints every pixel of the canvas in 8x8 squares: `color_a` where bit 3 of
// (x XOR y) is set, `color_b` elsewhere (so the top-left square is B).
void fill_checkerboard(const Canvas& canvas, std::uint32_t color_a, std::uint32_t color_b);

// The four bilinear weights of a splat whose position inside its pixel is
// (fx, fy), each floor(a * b / 65536) of two 16-bit fractions (1.0 = 0xFFFF),
// in drawing order: (X, Y), (X + 1, Y), (X + 1, Y + 1), (X, Y + 1).
struct SplatWeights {
    std::uint32_t top_left, top_right, bottom_right, bottom_left;
};
SplatWeights splat_weights(std::uint32_t fx, std::uint32_t fy);

// Per channel: floor((old * (0xFFFF - w) + color * w) / 65536). No rounding
// and no saturation, so weight 0 still takes one step off every nonzero
// channel and full weight 0xFFFE gives at most 0xFE from 0xFF.
std::uint32_t blend_splat_pixel(std::uint32_t old, std::uint32_t color, std::uint32_t w);

// Draws the segment (x0, y0) -> (x1, y1) as n = ((max(|dx|, |dy|) >> 15) & 0xFFFF) + 1
// splats, two per pixel of length: the start point and n - 1 further points
// a truncated step dx / n, dy / n apart; the end point itself is not sampled.
// Each splat blends its four pixels with bilinear weights; see curve_plot.cpp.
// Splat pixels outside the canvas are skipped (never wrapped into the next
// row), everything inside is drawn unchanged. A canvas wider than 32767
// pixels, or with no pixels, gets nothing.
void plot_aa_segment(const Canvas& canvas, Fixed x0, Fixed y0, Fixed x1, Fixed y1, std::uint32_t color);

// When a Bezier stops stepping along t.
enum class BezierEndRule {
    // After each increment go on while t <= 1.0; the last partial step is not drawn.
    while_at_most_one,
    // Once t passes 1.0, draw one final piece that ends at exactly t = 1.0.
    finish_at_one,
};

struct BezierSettings {
    double step;  // parameter step per piece, added up in doubles
    BezierEndRule end_rule;
    std::uint32_t color;
};

// `curves`: 199 white pieces per arc, the last ending at t = 0.995.
constexpr BezierSettings curves_bezier{0.005, BezierEndRule::while_at_most_one, 0x00FFFFFF};
// `splines` and `splines2`: 20 black pieces per arc, the last ending at t = 1.0.
constexpr BezierSettings spline_bezier{0.05, BezierEndRule::finish_at_one, 0x00000000};

// Calls piece(t_prev, t) for every piece of one curve, in order. A step that
// is not a positive number gives no pieces.
template <class Piece>
void for_each_bezier_piece(const BezierSettings& settings, Piece&& piece) {
    if (!(settings.step > 0.0)) return;
    double t_prev = 0.0;
    double t = settings.step;
    bool final_drawn = false;
    for (;;) {
        if (settings.end_rule == BezierEndRule::finish_at_one && t > 1.0) {
            if (final_drawn) return;
            t = 1.0;
            final_drawn = true;
        }
        piece(t_prev, t);
        t_prev = t;
        t = t + settings.step;
        if (settings.end_rule == BezierEndRule::while_at_most_one && !(t <= 1.0)) return;
    }
}

// B(t) = (1 - t)^2 start + 2t(1 - t) control + t^2 end, for x and y alike.
Point2 bezier_point(const Point2& start, const Point2& control, const Point2& end, double t);

// Draws the quadratic Bezier from `start` (t = 0) to `end` (t = 1) onto the
// canvas. Mind the order: the end point comes first, then the start, then
// the control point, as the scenes have always passed them. It draws the
// pieces B(t_prev) -> B(t); a piece is drawn only when both of its ends, in
// 16.16, lie in 0 ... width - 1 across and 0 ... height - 1 down
// (319.0 and 199.0 on the frame; read as unsigned, so negative values fail);
// other pieces are skipped.
void draw_quadratic_bezier(const Canvas& canvas, const Point2& end, const Point2& start, const Point2& control,
                           const BezierSettings& settings);
