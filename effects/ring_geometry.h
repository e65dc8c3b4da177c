#pragma once
// What the two ring scenes share: the arc record, the ring's ellipse and the
// swing of the control points.
#include "curve_plot.h"

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
