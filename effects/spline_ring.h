#pragma once
// The scene of `splines` and `splines2`: N black Bezier arcs joining a ring
// of N points that folds through the centre and opens again, with the
// counter "Splines: N" over them.
#include <cstdint>

#include "canvas.h"
#include "ring_geometry.h"

// The folding ring at tau milliseconds with n >= 1 points and arcs.
void spline_ring_shape(std::int32_t tau, int n, Point2* ring, Arc* arcs);

// Draws the arcs at tau milliseconds, then the counter half-transparent in
// black at (2, 2). Returns the counter's draw_text result. When the working
// storage for the points and arcs cannot be obtained, draws nothing (not
// even the counter) and returns 0. With n < 1 there are no arcs, only the
// counter.
int draw_spline_ring(const Canvas& canvas, std::int32_t tau, int n);
