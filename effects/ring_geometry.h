#pragma once
// What the two ring scenes share: the arc record, the ring's ellipse, the
// swing of the control points, and the working storage of one frame's ring.
#include <cstddef>
#include <cstdint>

#include "curve_plot.h"
#include "scene_storage.h"

// One arc of a ring, in this field order: drawn from `start` (ring point
// i + 1) at t = 0 to `end` (ring point i) at t = 1, bent towards `control`.
struct Arc {
    Point2 end;
    Point2 control;
    Point2 start;
};

// The full turn of the rings: this five-decimal value, not 2 pi to full precision.
constexpr double ring_turn = 6.28318;

// The ring is an ellipse around the frame's centre, 144 across and 90 down;
// the control points swing on a larger one, 160 across and 100 down.
constexpr double ring_center_x = 160.0;
constexpr double ring_center_y = 100.0;
constexpr double ring_radius_x = 144.0;
constexpr double ring_radius_y = 90.0;
constexpr double control_radius_x = 160.0;
constexpr double control_radius_y = 100.0;

// A ring's shape at tau: its n points into ring[0 ... n - 1] and its n arcs
// into arcs[0 ... n - 1], n >= 1.
using RingShape = void (*)(std::int32_t tau, int n, Point2* ring, Arc* arcs);

// Obtains the storage of one call for n points and n arcs, computes them
// with `shape` and hands the arcs to use(arcs, n) before the storage is
// released: what the scene draws and what its guides show come from the same
// numbers. True with no call when n < 1 (nothing to draw); false, with no
// call, only when the storage cannot be obtained.
template <class Use>
bool with_ring_arcs(RingShape shape, std::int32_t tau, int n, Use&& use) {
    if (n < 1) return true;
    const std::size_t count = static_cast<std::size_t>(n);
    SceneStorage<Point2> ring(count);
    SceneStorage<Arc> arcs(count);
    if (!ring || !arcs) return false;
    shape(tau, n, &ring[0], &arcs[0]);
    use(static_cast<const Arc*>(&arcs[0]), n);
    return true;
}
