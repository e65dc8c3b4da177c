#include "bezier_ring.h"

#include "trig.h"

void bezier_ring_shape(std::int32_t tau, int n, Point2* ring, Arc* arcs) {
    const double t = tau;
    // The points advance by one spacing per second.
    for (int i = 0; i < n; ++i) {
        const double theta = (i + 0.001 * t) * ring_turn / n;
        ring[i] = {ring_center_x + ring_radius_x * pack_sin(theta),
                   ring_center_y + ring_radius_y * pack_cos(theta)};
    }
    // Swing of the controls: 0 at the start, period about 62.8 s; negative
    // values put them on the far side of the centre.
    const double s = pack_sin(0.0001 * t);
    // Each control sits half a spacing after its arc's end and advances
    // three spacings per second.
    for (int i = 0; i < n; ++i) {
        const double phi = (i + 0.003 * t + 0.5) * ring_turn / n;
        arcs[i].end = ring[i];
        arcs[i].control = {ring_center_x + control_radius_x * s * pack_sin(phi),
                           ring_center_y + control_radius_y * s * pack_cos(phi)};
        arcs[i].start = ring[(i + 1) % n];
    }
}

void draw_bezier_ring(const Canvas& canvas, std::int32_t tau, int n) {
    with_ring_arcs(bezier_ring_shape, tau, n, [&](const Arc* arcs, int count) {
        for (int i = 0; i < count; ++i)
            draw_quadratic_bezier(canvas, arcs[i].end, arcs[i].start, arcs[i].control, curves_bezier);
    });
}
