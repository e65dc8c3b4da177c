#pragma once
// fennick's frame: three metaballs, cut into iso-contours slice by slice,
// rotating in 3D, drawn as additive antialiased lines. The program's loop is
// demo_driver.h.
#include <cstdint>

#include "draw_target.h"
#include "program.h"
#include "transform.h"

constexpr int demo_width = 320;
constexpr int demo_height = 240;

constexpr double first_threshold = 0.03;  // doubled for the second pass
constexpr std::uint32_t outer_color = 0x107040;
constexpr std::uint32_t inner_color = 0x707010;

// The animation time in units of 3 s: the unsigned 32-bit clock count times
// the double nearest to 1/3000.
double demo_time(std::uint32_t clock_ms);

// Grid space to camera space at time t: the grid's centre to the origin,
// rotations by t about the first, second and third axes, 30 units deep.
void build_frame_transform(double t, Matrix& frame_transform);

// The centres of the three balls at time t, in grid space.
constexpr int ball_count = 3;
void ball_centres(double t, Vector centres[ball_count]);

// Clears the field and adds the three balls at time t.
void fill_field(double t);

// The whole frame for a clock count: clears the target to black, rebuilds
// the field and draws both contour passes. The target should be 320x240.
void draw_demo_frame(std::uint32_t clock_ms, DrawTarget& frame_surface);
// How many segments that frame draws: the field rebuilt and both passes run
// again, counting what they would hand to the rasterizer.
long count_demo_segments(std::uint32_t clock_ms);

// fennick: 320x240, its frame a function of the system's clock count, until
// Escape. Its draw is draw_demo_frame on a CanvasTarget; its guides are
// draw_demo_guides (demo_guides.h).
extern const ProgramInfo fennick_program;
