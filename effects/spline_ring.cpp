#include "spline_ring.h"

#include "text_overlay.h"
#include "trig.h"

namespace {
constexpr TextStyle counter_style{0.5f, 0, 0, 0};  // half-transparent black
constexpr int counter_x = 2;
constexpr int counter_y = 2;
}  // namespace

void spline_ring_shape(std::int32_t tau, int n, Point2* ring, Arc* arcs) {
    const double t = tau;
    // beta turns the ring by 1 radian per second; sin(alpha) scales each
    // point's distance from the centre, its sign changing from point to
    // point in a pattern set by 3i / n, and folds the ring every ~3.14 s.
    for (int i = 0; i < n; ++i) {
        const double alpha = 3 * i * ring_turn / n + 0.002 * t;
        const double beta = i * ring_turn / n + 0.001 * t;
        const double fold = pack_sin(alpha);
        ring[i] = {ring_center_x + ring_radius_x * pack_sin(beta) * fold,
                   ring_center_y + ring_radius_y * pack_cos(beta) * fold};
    }
    const double s = pack_sin(0.0001 * t);
    // Unlike the curves ring, the time term is added after the division.
    for (int i = 0; i < n; ++i) {
        const double phi = (i + 0.5) * ring_turn / n + 0.003 * t;
        arcs[i].end = ring[i];
        arcs[i].control = {ring_center_x + control_radius_x * s * pack_sin(phi),
                           ring_center_y + control_radius_y * s * pack_cos(phi)};
        arcs[i].start = ring[(i + 1) % n];
    }
}

int draw_spline_ring(const Canvas& canvas, std::int32_t tau, int n) {
    const bool drawn = with_ring_arcs(spline_ring_shape, tau, n, [&](const Arc* arcs, int count) {
        for (int i = 0; i < count; ++i)
            draw_quadratic_bezier(canvas, arcs[i].end, arcs[i].start, arcs[i].control, spline_bezier);
    });
    if (!drawn) return 0;  // no storage: not even the counter
    return draw_text(canvas, counter_style, counter_x, counter_y, "Splines: %d", n);
}
