#include "ring_guides.h"

#include "guide_marks.h"

namespace {
constexpr int control_arm = 2;  // the control point's cross
constexpr int centre_arm = 5;   // the ring centre's +
}  // namespace

void draw_ring_guides(const Canvas& canvas, RingShape shape, std::int32_t tau, int n) {
    const bool drawn = with_ring_arcs(shape, tau, n, [&](const Arc* arcs, int count) {
        // A quadratic arc leaves its start towards its control point and
        // reaches its end from it: the two tangents meet there.
        for (int i = 0; i < count; ++i) {
            const Arc& arc = arcs[i];
            guide_line(canvas, arc.control.x, arc.control.y, arc.start.x, arc.start.y, guide_cyan);
            guide_line(canvas, arc.control.x, arc.control.y, arc.end.x, arc.end.y, guide_cyan);
        }
        for (int i = 0; i < count; ++i) guide_cross(canvas, arcs[i].control.x, arcs[i].control.y, control_arm, guide_cyan);
        for (int i = 0; i < count; ++i) guide_dot(canvas, arcs[i].end.x, arcs[i].end.y, guide_magenta);
    });
    if (!drawn) return;
    guide_plus(canvas, ring_center_x, ring_center_y, centre_arm, guide_magenta);
    guide_label(canvas, guide_magenta, "arcs: %d", n);
}
