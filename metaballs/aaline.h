#pragma once
// Additive antialiased lines in the manner of Wu, in 16.16 fixed point, on a
// DrawTarget of 0x00RRGGBB pixels. Segments are clipped to a band 2 pixels
// inside the target's edges.
#include <cstdint>

#include "canvas.h"
#include "draw_target.h"
#include "fixed16.h"
#include "line_blend.h"  // add_weighted and add_split, the blends of every plot

// The four plotting primitives, on the locked target's pixels; y and x
// positions and gradients are 16.16. They do not clip: the caller has.
// w1 on (column, floor(y)), w2 on the pixel below.
void plot_vertical_pair(const Canvas& canvas, std::uint32_t color, int column, std::int32_t y, std::uint32_t w1,
                        std::uint32_t w2);
// w1 on (floor(x), row), w2 on the pixel right of it.
void plot_horizontal_pair(const Canvas& canvas, std::uint32_t color, std::int32_t x, int row, std::uint32_t w1,
                          std::uint32_t w2);
// For each column from first (always drawn, even past last) to last: a split
// plot on (column, floor(y)) and the pixel below by the fraction of y;
// y += gradient.
void span_columns(const Canvas& canvas, std::uint32_t color, int first, int last, std::int32_t y,
                  std::int32_t gradient);
// The same along rows: (floor(x), row) and the pixel right of it.
void span_rows(const Canvas& canvas, std::uint32_t color, int first, int last, std::int32_t x, std::int32_t gradient);

// The largest target side draw works on (16.16 positions must fit).
constexpr int aaline_largest_side = 32767;

struct AALine {
    double x0, x1, y0, y1;  // the ends (x0, y0) and (x1, y1), in pixels
    std::uint32_t color;    // 0x00RRGGBB, added byte by byte

    // Draws the segment onto the target: clips it to the band, locks the
    // target at most once (and then unlocks it exactly once) and adds the
    // colour. The record keeps the ends as drawn (ordered and clipped).
    // Nothing is drawn, and nothing outside the target is ever touched, for
    // a segment with a non-finite coordinate or one that misses the band.
    void draw(DrawTarget& target);
};
