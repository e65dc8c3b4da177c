#include "guide_marks.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdlib>

#include "rgb.h"
#include "text_overlay.h"

namespace {

// Liang-Barsky: narrows [t0, t1] to where p * t <= q; false once it is empty.
bool narrow(double p, double q, double& t0, double& t1) {
    if (p == 0.0) return q >= 0.0;
    const double r = q / p;
    if (p < 0.0) {
        if (r > t1) return false;
        t0 = std::max(t0, r);
    } else {
        if (r < t0) return false;
        t1 = std::min(t1, r);
    }
    return true;
}

// The pixel column (or row) of a coordinate already clipped to 0 ... size.
int pixel_in(double v, int size) { return std::clamp(static_cast<int>(std::floor(v)), 0, size - 1); }

void plot(const Canvas& canvas, int x, int y, std::uint32_t color) { canvas.at(x, y) = color; }

}  // namespace

void guide_line(const Canvas& canvas, double x0, double y0, double x1, double y1, std::uint32_t color) {
    if (canvas.width < 1 || canvas.height < 1) return;
    const double dx = x1 - x0, dy = y1 - y0;
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(dx) || !std::isfinite(dy)) return;
    // Clipped once, to the canvas as a closed box; every pixel of the run
    // between the clipped ends is then on the canvas.
    double t0 = 0.0, t1 = 1.0;
    if (!narrow(-dx, x0, t0, t1) || !narrow(dx, canvas.width - x0, t0, t1) || !narrow(-dy, y0, t0, t1) ||
        !narrow(dy, canvas.height - y0, t0, t1))
        return;
    int ax = pixel_in(x0 + t0 * dx, canvas.width), ay = pixel_in(y0 + t0 * dy, canvas.height);
    const int bx = pixel_in(x0 + t1 * dx, canvas.width), by = pixel_in(y0 + t1 * dy, canvas.height);
    // Bresenham between the two pixels.
    const int sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
    const int ex = std::abs(bx - ax), ey = -std::abs(by - ay);
    for (int error = ex + ey;;) {
        plot(canvas, ax, ay, color);
        if (ax == bx && ay == by) return;
        const int twice = 2 * error;
        if (twice >= ey) {
            error += ey;
            ax += sx;
        }
        if (twice <= ex) {
            error += ex;
            ay += sy;
        }
    }
}

void guide_dot(const Canvas& canvas, double x, double y, std::uint32_t color) {
    // Far from the canvas (or not a number): nothing to clip to.
    constexpr double far = 1e6;
    if (!(std::fabs(x) < far && std::fabs(y) < far)) return;
    const int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
    for (int py = std::max(cy - 1, 0); py <= std::min(cy + 1, canvas.height - 1); ++py)
        for (int px = std::max(cx - 1, 0); px <= std::min(cx + 1, canvas.width - 1); ++px) plot(canvas, px, py, color);
}

void guide_cross(const Canvas& canvas, double x, double y, int arm, std::uint32_t color) {
    guide_line(canvas, x - arm, y - arm, x + arm, y + arm, color);
    guide_line(canvas, x - arm, y + arm, x + arm, y - arm, color);
}

void guide_plus(const Canvas& canvas, double x, double y, int arm, std::uint32_t color) {
    guide_line(canvas, x - arm, y, x + arm, y, color);
    guide_line(canvas, x, y - arm, x, y + arm, color);
}

void guide_label(const Canvas& canvas, std::uint32_t color, const char* format, ...) {
    constexpr int margin = 2, line_height = 14;
    const TextStyle style{1.0f, static_cast<int>(red(color)), static_cast<int>(green(color)),
                          static_cast<int>(blue(color))};
    std::va_list args;
    va_start(args, format);
    draw_text_v(canvas, style, margin, canvas.height - line_height - margin, format, args);
    va_end(args);
}
