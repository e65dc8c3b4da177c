#include "curve_plot.h"

#include <cstddef>
#include <cstdint>

#include "splat_lanes.h"

namespace {

// A splat weight is a 16-bit fraction of this; weights reach 0xFFFE at most.
constexpr std::uint32_t weight_one = 0xFFFF;
// Samples per pixel of length: n = (max(|dx|, |dy|) >> 15) + 1.
constexpr int samples_shift = 15;
constexpr std::uint32_t samples_mask = 0xFFFF;

// Widest canvas a splat's 16.16 position can cover.
constexpr int largest_canvas_side = 0x7FFF;

// The splat loop. Unclipped: every 2x2 block lies inside the buffer (the
// caller has checked both ends of the segment). Clipped: each of the four
// pixels is drawn only when it lies inside the canvas.
template <bool Clipped>
void splat_row(const Canvas& canvas, Fixed x, Fixed y, Fixed sx, Fixed sy, std::uint32_t n, std::uint32_t color) {
    const int pitch = canvas.stride;
    if (!Clipped && splat_lanes_available && pitch > 1) {  // the four pixels of a splat are distinct
        splat_run_lanes(x, y, sx, sy, n, color, canvas.pixels, pitch);
        return;
    }
    for (std::uint32_t k = 0; k < n; ++k) {
        const int px = fixed_floor(x);
        const int py = fixed_floor(y);
        const SplatWeights w = splat_weights(fixed_fraction(x), fixed_fraction(y));
        if constexpr (!Clipped) {
            std::uint32_t* p = canvas.row(py) + px;
            p[0] = blend_splat_pixel(p[0], color, w.top_left);
            p[1] = blend_splat_pixel(p[1], color, w.top_right);
            p[pitch + 1] = blend_splat_pixel(p[pitch + 1], color, w.bottom_right);
            p[pitch] = blend_splat_pixel(p[pitch], color, w.bottom_left);
        } else {
            auto draw = [&](std::int64_t cx, std::int64_t cy, std::uint32_t weight) {
                if (cx < 0 || cy < 0 || cx >= canvas.width || cy >= canvas.height) return;
                std::uint32_t& p = canvas.pixels[cy * pitch + cx];
                p = blend_splat_pixel(p, color, weight);
            };
            draw(px, py, w.top_left);
            draw(std::int64_t{px} + 1, py, w.top_right);
            draw(std::int64_t{px} + 1, std::int64_t{py} + 1, w.bottom_right);
            draw(px, std::int64_t{py} + 1, w.bottom_left);
        }
        x = fixed_wrapping_add(x, sx);
        y = fixed_wrapping_add(y, sy);
    }
}

// True when v lies in 0 ... limit - 1.0 (exclusive), so that its splat's
// second pixel v + 1 is still inside a span of `limit` pixels.
inline bool splat_fits(Fixed v, int limit) {
    return static_cast<std::uint32_t>(v) < (static_cast<std::uint32_t>(limit - 1) << fixed_shift);
}

}  // namespace

SplatWeights splat_weights(std::uint32_t fx, std::uint32_t fy) {
    const std::uint32_t ifx = weight_one - fx;
    const std::uint32_t ify = weight_one - fy;
    return {scale_by_fraction(ify, ifx), scale_by_fraction(ify, fx), scale_by_fraction(fy, fx),
            scale_by_fraction(ifx, fy)};
}

std::uint32_t blend_splat_pixel(std::uint32_t old, std::uint32_t color, std::uint32_t w) {
    const std::uint32_t keep = weight_one - w;
    // Each sum stays below 255 * 65536: the blend of two bytes by w and its complement.
    const auto mix = [&](std::uint32_t a, std::uint32_t b) { return (a * keep + b * w) >> fixed_shift; };
    return pack_rgb(mix(red(old), red(color)), mix(green(old), green(color)), mix(blue(old), blue(color)));
}

void fill_checkerboard(const Canvas& canvas, std::uint32_t color_a, std::uint32_t color_b) {
    for (int y = 0; y < canvas.height; ++y) {
        std::uint32_t* p = canvas.row(y);
        for (int x = 0; x < canvas.width; ++x) p[x] = ((x ^ y) & 8) ? color_a : color_b;
    }
}

void plot_aa_segment(const Canvas& canvas, Fixed x0, Fixed y0, Fixed x1, Fixed y1, std::uint32_t color) {
    if (canvas.width <= 0 || canvas.height <= 0 || canvas.stride < canvas.width || canvas.stride > largest_canvas_side)
        return;
    // Differences wrap like the 32-bit registers they were made for.
    const Fixed dx = fixed_wrapping_add(x1, static_cast<Fixed>(0u - static_cast<std::uint32_t>(x0)));
    const Fixed dy = fixed_wrapping_add(y1, static_cast<Fixed>(0u - static_cast<std::uint32_t>(y0)));
    const std::uint32_t adx = dx < 0 ? 0u - static_cast<std::uint32_t>(dx) : static_cast<std::uint32_t>(dx);
    const std::uint32_t ady = dy < 0 ? 0u - static_cast<std::uint32_t>(dy) : static_cast<std::uint32_t>(dy);
    const std::uint32_t longest = adx > ady ? adx : ady;
    const std::uint32_t n = ((longest >> samples_shift) & samples_mask) + 1;
    const Fixed sx = dx / static_cast<Fixed>(n);  // truncates toward zero; n <= 65536
    const Fixed sy = dy / static_cast<Fixed>(n);
    // Every sample lies between the two ends, so checking the ends settles
    // the whole segment.
    if (splat_fits(x0, canvas.width) && splat_fits(x1, canvas.width) && splat_fits(y0, canvas.height) &&
        splat_fits(y1, canvas.height))
        splat_row<false>(canvas, x0, y0, sx, sy, n, color);
    else
        splat_row<true>(canvas, x0, y0, sx, sy, n, color);
}

Point2 bezier_point(const Point2& start, const Point2& control, const Point2& end, double t) {
    const double u = 1.0 - t;
    const double a = u * u;
    const double b = 2.0 * t * u;
    const double c = t * t;
    return {a * start.x + b * control.x + c * end.x, a * start.y + b * control.y + c * end.y};
}

void draw_quadratic_bezier(const Canvas& canvas, const Point2& end, const Point2& start, const Point2& control,
                           const BezierSettings& settings) {
    // The largest 16.16 coordinates admitted: the last column and row.
    const std::uint32_t max_x = static_cast<std::uint32_t>(canvas.width - 1) << fixed_shift;
    const std::uint32_t max_y = static_cast<std::uint32_t>(canvas.height - 1) << fixed_shift;
    for_each_bezier_piece(settings, [&](double t_prev, double t) {
        const Point2 a = bezier_point(start, control, end, t_prev);
        const Point2 b = bezier_point(start, control, end, t);
        const Fixed ax = to_fixed_saturating(a.x), ay = to_fixed_saturating(a.y);
        const Fixed bx = to_fixed_saturating(b.x), by = to_fixed_saturating(b.y);
        // Read as unsigned, a negative coordinate is huge and fails too.
        if (static_cast<std::uint32_t>(ay) > max_y || static_cast<std::uint32_t>(by) > max_y ||
            static_cast<std::uint32_t>(ax) > max_x || static_cast<std::uint32_t>(bx) > max_x)
            return;
        plot_aa_segment(canvas, ax, ay, bx, by, settings.color);
    });
}
