#pragma once
// fennick's construction, drawn over its frame: the 12 edges of the field's
// grid cube in cyan, carried to the screen by the frame's transform and
// projection as the contours are; the three ball centres as magenta
// crosses, likewise; and "segments: N", the number of contour segments the
// frame draws, in magenta at the bottom left.
#include <cstdint>

#include "canvas.h"

void draw_demo_guides(const Canvas& canvas, std::uint32_t clock_ms);
