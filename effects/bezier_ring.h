#pragma once
// The scene of `curves`: N white Bezier arcs joining N points on a turning
// ellipse, their control points swinging in and out.
#include <cstdint>

#include "canvas.h"
#include "ring_geometry.h"

// The ring at tau milliseconds with n >= 1 points and arcs.
void bezier_ring_shape(std::int32_t tau, int n, Point2* ring, Arc* arcs);

// Draws the ring at tau milliseconds with `n` points and arcs over whatever
// the canvas holds. Draws nothing when n < 1 or when the working storage for
// the points and arcs cannot be obtained.
void draw_bezier_ring(const Canvas& canvas, std::int32_t tau, int n);
