#include "aaline.h"

#include "pixel_lanes.h"
#include "rgb.h"
#include <cmath>
#include <cstddef>
#include <utility>

namespace {

constexpr double band_margin = 2.0;  // the band's edges lie 2 pixels inside the target's

inline std::uint32_t saturate(std::uint32_t value) { return value < 255u ? value : 255u; }

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
// complement (or the fraction) and the part of the pixel step covered, at
// half the scale of a span's weights. a * gap reaches 2^32: 64 bits.
inline std::uint32_t end_weight(std::uint32_t a, std::uint32_t gap) {
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(a) * gap) >> (fixed_shift + 1));
}

// The pair and span primitives seen along the major axis: `major` is the
// column (x-major) or row (y-major), `minor` the 16.16 position across it.
template <bool YMajor>
inline void plot_pair(const Canvas& canvas, std::uint32_t color, int major, std::int32_t minor, std::uint32_t w1,
                      std::uint32_t w2) {
    if (YMajor)
        plot_horizontal_pair(canvas, color, minor, major, w1, w2);
    else
        plot_vertical_pair(canvas, color, major, minor, w1, w2);
}

template <bool YMajor>
inline void span(const Canvas& canvas, std::uint32_t color, int first, int last, std::int32_t minor,
                 std::int32_t gradient) {
    if (YMajor)
        span_rows(canvas, color, first, last, minor, gradient);
    else
        span_columns(canvas, color, first, last, minor, gradient);
}

// A segment seen along its major axis, told for x-major: `a` is the major
// coordinate (x), `b` the minor one (y); y-major passes them exchanged. The
// ends are references into the record, which keeps them as drawn.
struct AxisSegment {
    double& a0;
    double& a1;
    double& b0;
    double& b1;
    double da, db;  // a1 - a0 and b1 - b0
};

// The first end gets the smaller major coordinate.
void order_ends(AxisSegment& s) {
    if (s.a1 < s.a0) {
        std::swap(s.a0, s.a1);
        std::swap(s.b0, s.b1);
        s.da = -s.da;
        s.db = -s.db;
    }
}

// Moves the ends into the band, each along the segment: major ends first,
// then each end's minor coordinate. False when an end is still outside (a
// segment that misses the band although no single reject test caught it, or
// whose clipping ran out of range).
bool clip_to_band(AxisSegment& s, double a_high, double b_high) {
    if (s.a0 < band_margin) {
        s.b0 += follow(band_margin - s.a0, s.db, s.da);
        s.a0 = band_margin;
    }
    if (s.a1 >= a_high) {
        s.b1 += follow(a_high - s.a1, s.db, s.da);
        s.a1 = a_high;
    }
    auto clip_minor = [&](double& a, double& b) {
        if (b < band_margin) {
            a += follow(band_margin - b, s.da, s.db);
            b = band_margin;
        } else if (b >= b_high) {
            a += follow(b_high - b, s.da, s.db);
            b = b_high;
        }
    };
    clip_minor(s.a0, s.b0);
    clip_minor(s.a1, s.b1);
    return in_band(s.a0, a_high) && in_band(s.a1, a_high) && in_band(s.b0, b_high) && in_band(s.b1, b_high);
}

// The 16.16 walk of a clipped segment: the first end's pair, the span of
// whole major steps c0 ... c1, and the far end's pair.
struct WuWalk {
    std::int32_t g;        // minor change per major step, 16.16
    std::int32_t b_start;  // minor position at the first end
    int first_major;       // floor(a0)
    bool has_first_end;    // a0 is not whole
    int c0, c1;            // ceil(a0) and floor(a1)
    std::uint32_t first_gap;
    std::int64_t b_span;   // minor position at c0
    std::int64_t b_far;    // one step past c1
    std::uint32_t far_w1, far_w2;
    bool has_far_end;      // a far pair that adds nothing is skipped
};

// Set-up of the walk; false for a gradient beyond range (only from ends
// beyond double range). Coincident ends have no slope: gradient 0.
template <bool YMajor>
bool set_up_walk(const AxisSegment& s, WuWalk& w) {
    const double gradient_real = s.da == 0.0 ? 0.0 : s.db * fixed_scale / s.da;
    if (!(std::fabs(gradient_real) <= fixed_scale)) return false;  // at most one pixel across per step
    w.g = static_cast<std::int32_t>(gradient_real);
    const std::uint32_t g_magnitude = w.g < 0 ? static_cast<std::uint32_t>(-static_cast<std::int64_t>(w.g)) : w.g;
    w.b_start = to_fixed_unchecked(s.b0);  // inside the band: it fits
    // Both ends lie in the band, so they are positive and truncation is
    // their floor (no library call).
    w.first_major = static_cast<int>(s.a0);
    w.has_first_end = s.a0 != w.first_major;
    w.c0 = w.has_first_end ? w.first_major + 1 : w.first_major;
    w.c1 = static_cast<int>(s.a1);

    // First end: the part of its pixel step the segment covers, then on to c0.
    w.first_gap = 0;
    w.b_span = w.b_start;
    if (w.has_first_end) {
        w.first_gap = fixed_fraction_mask - fixed_fraction(to_fixed_unchecked(s.a0));
        const std::int64_t step = (static_cast<std::uint64_t>(w.first_gap) * g_magnitude) >> fixed_shift;
        w.b_span += w.g < 0 ? -step : step;
    }

    // Far end: one step past the last interior column, weighted by the part
    // of the last pixel step the segment covers (0 ... 1.0, so it fits).
    w.b_far = w.b_span + static_cast<std::int64_t>(w.g) * (w.c1 + 1 - w.c0);
    const std::uint32_t far_gap = static_cast<std::uint32_t>(to_fixed_unchecked(s.a1 - w.c1));
    const std::uint32_t far_fraction = static_cast<std::uint32_t>(w.b_far) & fixed_fraction_mask;
    // Its first weight is the far fraction's complement, taken from one
    // whole pixel (65536 - f) along y but from the fraction mask (0xFFFF - f,
    // as at the first end) along x: the two axes differ by one unit in 65536
    // there, and the frames keep that difference.
    const std::uint32_t far_base = YMajor ? static_cast<std::uint32_t>(fixed_one) : fixed_fraction_mask;
    w.far_w1 = end_weight(far_base - far_fraction, far_gap);
    w.far_w2 = end_weight(far_fraction, far_gap);
    w.has_far_end = (w.far_w1 | w.far_w2) != 0;
    return true;
}

// Every pair lies on a straight 16.16 walk: its extremes decide whether all
// of them stay inside the target. For ends that are consistent with the
// gradient they always do; ends of enormous segments, clipped with rounding,
// may not, and such a segment is not drawn.
bool walk_fits(const WuWalk& w, int minor_size) {
    const std::int64_t b_span_last = w.b_span + static_cast<std::int64_t>(w.g) * (w.c1 > w.c0 ? w.c1 - w.c0 : 0);
    return fits(w.b_start, minor_size) && fits(w.b_span, minor_size) && fits(b_span_last, minor_size) &&
           (!w.has_far_end || fits(w.b_far, minor_size));
}

template <bool YMajor>
void plot_walk(const Canvas& canvas, std::uint32_t color, const WuWalk& w) {
    if (w.has_first_end) {
        const std::uint32_t f = fixed_fraction(w.b_start);
        plot_pair<YMajor>(canvas, color, w.first_major, w.b_start, end_weight(fixed_fraction_mask - f, w.first_gap),
                          end_weight(f, w.first_gap));
    }
    span<YMajor>(canvas, color, w.c0, w.c1, static_cast<std::int32_t>(w.b_span), w.g);
    if (w.has_far_end) plot_pair<YMajor>(canvas, color, w.c1 + 1, static_cast<std::int32_t>(w.b_far), w.far_w1, w.far_w2);
}

// Order, clip, set up, check and plot one segment along its major axis.
template <bool YMajor>
void draw_major(AxisSegment s, int major_size, int minor_size, std::uint32_t color, const Canvas& canvas) {
    order_ends(s);
    if (!clip_to_band(s, major_size - band_margin, minor_size - band_margin)) return;
    WuWalk walk;
    if (!set_up_walk<YMajor>(s, walk) || !walk_fits(walk, minor_size)) return;
    plot_walk<YMajor>(canvas, color, walk);
}

}  // namespace

std::uint32_t add_weighted(std::uint32_t pixel, std::uint32_t color, std::uint32_t weight) {
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t added = 2 * scale_by_fraction(byte_at(color, shift), weight);  // 2*floor(c*w / 65536)
        result |= saturate(byte_at(pixel, shift) + added) << shift;
    }
    return result;
}

void add_split(std::uint32_t& near_pixel, std::uint32_t& far_pixel, std::uint32_t color, std::uint32_t fraction) {
    const std::uint32_t half_fraction = fraction >> 1;
    std::uint32_t near_result = 0, far_result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t c = byte_at(color, shift);
        const std::uint32_t a = scale_by_fraction(c, half_fraction);  // floor(c*floor(f/2) / 65536) <= floor(c/2)
        near_result |= saturate(byte_at(near_pixel, shift) + 2 * ((c >> 1) - a)) << shift;
        far_result |= saturate(byte_at(far_pixel, shift) + 2 * a) << shift;
    }
    near_pixel = near_result;
    far_pixel = far_result;
}

void plot_vertical_pair(const Canvas& canvas, std::uint32_t color, int column, std::int32_t y, std::uint32_t w1,
                        std::uint32_t w2) {
    const LaneColor lanes = lane_color(color);
    std::uint32_t* upper = &canvas.at(column, fixed_floor(y));
    upper[0] = lanes_add_weighted(upper[0], lanes, w1);
    upper[canvas.stride] = lanes_add_weighted(upper[canvas.stride], lanes, w2);
}

void plot_horizontal_pair(const Canvas& canvas, std::uint32_t color, std::int32_t x, int row, std::uint32_t w1,
                          std::uint32_t w2) {
    const LaneColor lanes = lane_color(color);
    std::uint32_t* left = &canvas.at(fixed_floor(x), row);
    left[0] = lanes_add_weighted(left[0], lanes, w1);
    left[1] = lanes_add_weighted(left[1], lanes, w2);
}

void span_columns(const Canvas& canvas, std::uint32_t color, int first, int last, std::int32_t y,
                  std::int32_t gradient) {
    const LaneColor lanes = lane_color(color);
    int column = first;
    do {
        std::uint32_t* upper = &canvas.at(column, fixed_floor(y));
        lanes_add_split(upper[0], upper[canvas.stride], lanes, fixed_fraction(y));
        y = fixed_wrapping_add(y, gradient);
    } while (++column <= last);
}

void span_rows(const Canvas& canvas, std::uint32_t color, int first, int last, std::int32_t x,
               std::int32_t gradient) {
    const LaneColor lanes = lane_color(color);
    int row = first;
    do {
        std::uint32_t* left = &canvas.at(fixed_floor(x), row);
        lanes_add_split(left[0], left[1], lanes, fixed_fraction(x));
        x = fixed_wrapping_add(x, gradient);
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
        // The locked pixels are rows of exactly `width` pixels, without gaps.
        const Canvas canvas = packed_canvas(pixels, width, height);
        if (std::fabs(dy) > std::fabs(dx))
            draw_major<true>(AxisSegment{y0, y1, x0, x1, dy, dx}, height, width, color, canvas);
        else
            draw_major<false>(AxisSegment{x0, x1, y0, y1, dx, dy}, width, height, color, canvas);
    }
    target.unlock();
}
