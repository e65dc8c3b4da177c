#pragma once
// The curve primitives written out plainly from their formulas, one pixel at
// a time, as the fuzz targets' reference: splats with bilinear weights, the
// segment as a row of splats, the quadratic Bezier as pieces. Pixels outside
// the pitch x rows rectangle are skipped, never wrapped.
#include <cmath>
#include <cstdint>

namespace plain {

// Per channel: (old * (0xFFFF - w) + color * w) >> 16.
inline std::uint32_t splat_blend(std::uint32_t old, std::uint32_t color, std::uint32_t w) {
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t o = (old >> shift) & 0xFF, c = (color >> shift) & 0xFF;
        out |= ((o * (0xFFFF - w) + c * w) >> 16) << shift;
    }
    return out;
}

inline void splat_pixel(std::uint32_t* buffer, int pitch, int rows, std::int64_t column, std::int64_t row,
                        std::uint32_t color, std::uint32_t w) {
    if (column < 0 || row < 0 || column >= pitch || row >= rows) return;
    std::uint32_t& p = buffer[row * pitch + column];
    p = splat_blend(p, color, w);
}

// One splat at the 16.16 point (x, y): its four pixels in drawing order.
inline void splat(std::uint32_t* buffer, int pitch, int rows, std::int32_t x, std::int32_t y, std::uint32_t color) {
    const std::int64_t X = x >> 16, Y = y >> 16;
    const std::uint32_t fx = static_cast<std::uint32_t>(x) & 0xFFFF, fy = static_cast<std::uint32_t>(y) & 0xFFFF;
    const std::uint32_t ifx = 0xFFFF - fx, ify = 0xFFFF - fy;
    splat_pixel(buffer, pitch, rows, X, Y, color, (ify * ifx) >> 16);
    splat_pixel(buffer, pitch, rows, X + 1, Y, color, (ify * fx) >> 16);
    splat_pixel(buffer, pitch, rows, X + 1, Y + 1, color, (fy * fx) >> 16);
    splat_pixel(buffer, pitch, rows, X, Y + 1, color, (ifx * fy) >> 16);
}

inline std::int32_t wrap(std::int64_t v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); }

// Two samples per pixel of the longer axis plus one; the end is not sampled.
// Differences and steps wrap at 32 bits.
inline void segment(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::uint32_t color,
                    std::uint32_t* buffer, int pitch, int rows) {
    const std::int32_t dx = wrap(std::int64_t{x1} - x0), dy = wrap(std::int64_t{y1} - y0);
    const std::uint32_t adx = static_cast<std::uint32_t>(std::llabs(dx)), ady = static_cast<std::uint32_t>(std::llabs(dy));
    const std::int64_t n = (((adx > ady ? adx : ady) >> 15) & 0xFFFF) + 1;
    const std::int32_t sx = static_cast<std::int32_t>(dx / n), sy = static_cast<std::int32_t>(dy / n);
    std::int32_t x = x0, y = y0;
    for (std::int64_t k = 0; k < n; ++k) {
        splat(buffer, pitch, rows, x, y, color);
        x = wrap(std::int64_t{x} + sx);
        y = wrap(std::int64_t{y} + sy);
    }
}

// v * 65536 truncated, when that lies in 0 ... limit (as 16.16); else false.
inline bool fixed_within(double v, std::uint32_t limit, std::int32_t& out) {
    const double scaled = v * 65536.0;
    if (!(scaled > -1.0 && scaled < 4294967296.0)) return false;  // NaN too
    const double truncated = std::trunc(scaled);
    if (truncated > limit) return false;
    out = static_cast<std::int32_t>(truncated);
    return true;
}

struct Pt {
    double x, y;
};

// (1 - t)^2 start + 2t(1 - t) control + t^2 end.
inline Pt bezier_at(Pt start, Pt control, Pt end, double t) {
    const double a = (1.0 - t) * (1.0 - t), b = 2.0 * t * (1.0 - t), c = t * t;
    return {a * start.x + b * control.x + c * end.x, a * start.y + b * control.y + c * end.y};
}

// finish_at_one: once t passes 1.0 one last piece ends at exactly 1.0;
// otherwise pieces go on while t <= 1.0 after the increment.
inline void bezier(std::uint32_t* buffer, Pt end, Pt start, Pt control, double step, bool finish_at_one,
                   std::uint32_t color) {
    double t_prev = 0.0, t = step;
    bool final_drawn = false;
    for (;;) {
        if (finish_at_one && t > 1.0) {
            if (final_drawn) return;
            t = 1.0;
            final_drawn = true;
        }
        const Pt a = bezier_at(start, control, end, t_prev), b = bezier_at(start, control, end, t);
        std::int32_t ax, ay, bx, by;
        if (fixed_within(a.x, 319u << 16, ax) && fixed_within(a.y, 199u << 16, ay) &&
            fixed_within(b.x, 319u << 16, bx) && fixed_within(b.y, 199u << 16, by))
            segment(ax, ay, bx, by, color, buffer, 320, 200);
        t_prev = t;
        t = t + step;
        if (!finish_at_one && !(t <= 1.0)) return;
    }
}

}  // namespace plain
