#include "aaline.h"

#include "pixel_lanes.h"
#include "rgb.h"
#include <cmath>
#include <cstddef>
#include <utility>

namespace {

constexpr double band_margin = 2.0;  // the band's edges lie 2 pixels inside the target's

inline std::uint32_t saturate(std::uint32_t value) { return value < 255u ? value : 255u; }

inline std::uint32_t* pixel_at(std::uint32_t* pixels, int stride, int column, int row) {
    return pixels + static_cast<std::ptrdiff_t>(row) * stride + column;
}

// The other coordinate's change when one coordinate changes by delta along
// a segment with extents d_this and d_other. A move of zero is no move, also
// when d_this is 0 (a segment lying on the band's edge).
inline double follow(double delta, double d_other, double d_this) {
    return delta == 0.0 ? 0.0 : delta * d_other / d_this;
}

// 2 <= v <= high; false for NaN.
inline bool in_band(double v, double high) { return v >= band_margin && v <= high; }

// A pair's upper (left) pixel at a 16.16 position: a line inside the band
// reaches at most one pixel beyond it, so both pixels of its pairs lie in
// rows (columns) 1 ... minor_size - 1.
inline bool fits(std::int64_t position, int minor_size) {
    return position >= fixed_one && (position >> fixed_shift) <= minor_size - 2;
}

// Returns floor(a * b / 131072): an end's weight from the fraction's
// complement (or the fraction) and the part of the pixel step covered.
inline std::uint32_t end_weight(std::uint32_t a, std::uint32_t gap) {
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(a) * gap) >> 17);
}

// The pair and span primitives seen along the major axis: `major` is the
// column (x-major) or row (y-major), `minor` the 16.16 position across it.
template <bool YMajor>
inline void plot_pair(std::uint32_t color, int stride, std::uint32_t* pixels, int major, std::int32_t minor,
                      std::uint32_t w1, std::uint32_t w2) {
    if (YMajor)
        plot_horizontal_pair(color, stride, pixels, minor, major, w1, w2);
    else
        plot_vertical_pair(color, stride, pixels, major, minor, w1, w2);
}

template <bool YMajor>
inline void span(std::uint32_t color, int stride, std::uint32_t* pixels, int first, int last, std::int32_t minor,
                 std::int32_t gradient) {
    if (YMajor)
        span_rows(color, stride, pixels, first, last, minor, gradient);
    else
        span_columns(color, stride, pixels, first, last, minor, gradient);
}

// Steps 4 to 10 of a draw, told for x-major: `a` is the major coordinate
// (x), `b` the minor one (y); y-major passes them exchanged. The ends are
// references into the record, which keeps them as drawn.
template <bool YMajor>
void draw_major(double& a0, double& a1, double& b0, double& b1, double da, double db, int major_size, int minor_size,
                std::uint32_t color, std::uint32_t* pixels, int stride) {
    const double a_high = major_size - band_margin, b_high = minor_size - band_margin;

    // Order: the first end has the smaller major coordinate.
    if (a1 < a0) {
        std::swap(a0, a1);
        std::swap(b0, b1);
        da = -da;
        db = -db;
    }

    // Clip the ends into the band, each move along the segment.
    if (a0 < band_margin) {
        b0 += follow(band_margin - a0, db, da);
        a0 = band_margin;
    }
    if (a1 >= a_high) {
        b1 += follow(a_high - a1, db, da);
        a1 = a_high;
    }
    auto clip_minor = [&](double& a, double& b) {
        if (b < band_margin) {
            a += follow(band_margin - b, da, db);
            b = band_margin;
        } else if (b >= b_high) {
            a += follow(b_high - b, da, db);
            b = b_high;
        }
    };
    clip_minor(a0, b0);
    clip_minor(a1, b1);

    // A segment that misses the band although no single reject test caught
    // it (or whose clipping ran out of range) is dropped here.
    if (!(in_band(a0, a_high) && in_band(a1, a_high) && in_band(b0, b_high) && in_band(b1, b_high))) return;

    // Set-up. Coincident ends have no slope and are drawn with gradient 0.
    const double gradient_real = da == 0.0 ? 0.0 : db * 65536.0 / da;
    if (!(std::fabs(gradient_real) <= 65536.0)) return;  // only from ends beyond double range
    const std::int32_t g = static_cast<std::int32_t>(gradient_real);
    const std::uint32_t g_magnitude = g < 0 ? static_cast<std::uint32_t>(-static_cast<std::int64_t>(g)) : g;
    const std::int32_t b_start = to_fixed_unchecked(b0);  // inside the band: it fits
    // Both ends now lie in the band, so they are positive and truncation is
    // their floor (no library call).
    const int first_major = static_cast<int>(a0);
    const bool has_first_end = a0 != first_major;
    const int c0 = has_first_end ? first_major + 1 : first_major;  // ceil(a0)
    const int c1 = static_cast<int>(a1);                           // floor(a1)

    // First end: the part of its pixel step the segment covers, then on to c0.
    std::uint32_t first_gap = 0;
    std::int64_t b_span = b_start;
    if (has_first_end) {
        first_gap = fixed_fraction_mask - fixed_fraction(to_fixed_unchecked(a0));
        const std::int64_t step = (static_cast<std::uint64_t>(first_gap) * g_magnitude) >> fixed_shift;
        b_span += g < 0 ? -step : step;
    }

    // Far end: one step past the last interior column, weighted by the part
    // of the last pixel step the segment covers. A y-major far end takes
    // 65536 - f for its first weight.
    const std::int64_t b_far = b_span + static_cast<std::int64_t>(g) * (c1 + 1 - c0);
    const std::uint32_t far_gap = static_cast<std::uint32_t>((a1 - c1) * 65536.0);
    const std::uint32_t far_fraction = static_cast<std::uint32_t>(b_far) & fixed_fraction_mask;
    const std::uint32_t far_base = YMajor ? 65536u : 65535u;
    const std::uint32_t far_w1 = end_weight(far_base - far_fraction, far_gap);
    const std::uint32_t far_w2 = end_weight(far_fraction, far_gap);
    const bool has_far_end = (far_w1 | far_w2) != 0;  // a pair that adds nothing is skipped

    // Every pair lies on a straight 16.16 walk: its extremes decide whether
    // all of them stay inside the target. For ends that are consistent with
    // the gradient they always do; ends of enormous segments, clipped with
    // rounding, may not, and such a segment is not drawn.
    const std::int64_t b_span_last = b_span + static_cast<std::int64_t>(g) * (c1 > c0 ? c1 - c0 : 0);
    if (!fits(b_start, minor_size) || !fits(b_span, minor_size) || !fits(b_span_last, minor_size) ||
        (has_far_end && !fits(b_far, minor_size)))
        return;

    if (has_first_end) {
        const std::uint32_t f = fixed_fraction(b_start);
        plot_pair<YMajor>(color, stride, pixels, first_major, b_start, end_weight(fixed_fraction_mask - f, first_gap),
                          end_weight(f, first_gap));
    }
    span<YMajor>(color, stride, pixels, c0, c1, static_cast<std::int32_t>(b_span), g);
    if (has_far_end) plot_pair<YMajor>(color, stride, pixels, c1 + 1, static_cast<std::int32_t>(b_far), far_w1, far_w2);
}

}  // namespace

std::uint32_t add_weighted(std::uint32_t pixel, std::uint32_t color, std::uint32_t weight) {
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t added = 2 * ((byte_at(color, shift) * weight) >> 16);  // 2*floor(c*w / 65536)
        result |= saturate(byte_at(pixel, shift) + added) << shift;
    }
    return result;
}

void add_split(std::uint32_t& near_pixel, std::uint32_t& far_pixel, std::uint32_t color, std::uint32_t fraction) {
    const std::uint32_t half_fraction = fraction >> 1;
    std::uint32_t near_result = 0, far_result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t c = byte_at(color, shift);
        const std::uint32_t a = (c * half_fraction) >> 16;  // floor(c*floor(f/2) / 65536) <= floor(c/2)
        near_result |= saturate(byte_at(near_pixel, shift) + 2 * ((c >> 1) - a)) << shift;
        far_result |= saturate(byte_at(far_pixel, shift) + 2 * a) << shift;
    }
    near_pixel = near_result;
    far_pixel = far_result;
}

void plot_vertical_pair(std::uint32_t color, int stride, std::uint32_t* pixels, int column, std::int32_t y,
                        std::uint32_t w1, std::uint32_t w2) {
    const LaneColor lanes = lane_color(color);
    std::uint32_t* upper = pixel_at(pixels, stride, column, fixed_floor(y));
    upper[0] = lanes_add_weighted(upper[0], lanes, w1);
    upper[stride] = lanes_add_weighted(upper[stride], lanes, w2);
}

void plot_horizontal_pair(std::uint32_t color, int stride, std::uint32_t* pixels, std::int32_t x, int row,
                          std::uint32_t w1, std::uint32_t w2) {
    const LaneColor lanes = lane_color(color);
    std::uint32_t* left = pixel_at(pixels, stride, fixed_floor(x), row);
    left[0] = lanes_add_weighted(left[0], lanes, w1);
    left[1] = lanes_add_weighted(left[1], lanes, w2);
}

void span_columns(std::uint32_t color, int stride, std::uint32_t* pixels, int first, int last, std::int32_t y,
                  std::int32_t gradient) {
    const LaneColor lanes = lane_color(color);
    int column = first;
    do {
        std::uint32_t* upper = pixel_at(pixels, stride, column, fixed_floor(y));
        lanes_add_split(upper[0], upper[stride], lanes, fixed_fraction(y));
        y = static_cast<std::int32_t>(static_cast<std::uint32_t>(y) + static_cast<std::uint32_t>(gradient));
    } while (++column <= last);
}

void span_rows(std::uint32_t color, int stride, std::uint32_t* pixels, int first, int last, std::int32_t x,
               std::int32_t gradient) {
    const LaneColor lanes = lane_color(color);
    int row = first;
    do {
        std::uint32_t* left = pixel_at(pixels, stride, fixed_floor(x), row);
        lanes_add_split(left[0], left[1], lanes, fixed_fraction(x));
        x = static_cast<std::int32_t>(static_cast<std::uint32_t>(x) + static_cast<std::uint32_t>(gradient));
    } while (++row <= last);
}

void AALine::draw(DrawTarget& target) {
    // Non-finite ends would pass every comparison below into the integer
    // conversions: such a segment draws nothing, like a rejected one.
    if (!std::isfinite(x0) || !std::isfinite(x1) || !std::isfinite(y0) || !std::isfinite(y1)) return;
    const int width = target.width(), height = target.height();
    if (width > aaline_largest_side || height > aaline_largest_side) return;
    const double x_high = width - band_margin, y_high = height - band_margin;

    // Trivial reject: both ends beyond the same edge of the band.
    if ((x0 < band_margin && x1 < band_margin) || (x0 > x_high && x1 > x_high) ||
        (y0 < band_margin && y1 < band_margin) || (y0 > y_high && y1 > y_high))
        return;

    const double dx = x1 - x0, dy = y1 - y0;
    std::uint32_t* pixels = target.lock();
    if (pixels) {
        if (std::fabs(dy) > std::fabs(dx))
            draw_major<true>(y0, y1, x0, x1, dy, dx, height, width, color, pixels, width);
        else
            draw_major<false>(x0, x1, y0, y1, dx, dy, width, height, color, pixels, width);
    }
    target.unlock();
}
