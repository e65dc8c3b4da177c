#pragma once
// The construction of a ring scene, drawn over its frame: every ring point
// as a magenta dot; every arc's control point as a small cyan cross with its
// two tangent lines, cyan, to the arc's ends; the ring's centre as a magenta
// +; and "arcs: N" in magenta at the bottom left.
#include <cstdint>

#include "canvas.h"
#include "ring_geometry.h"

// The guides of the ring that `shape` gives at tau with n points, from the
// same numbers the scene draws its arcs from. Nothing when the working
// storage cannot be obtained (the scene draws no arcs then either).
void draw_ring_guides(const Canvas& canvas, RingShape shape, std::int32_t tau, int n);
