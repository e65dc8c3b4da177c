#pragma once
// splines: the cream checkerboard and draw_spline_ring with N = 6.
#include <cstdint>

#include "scene_frames.h"

extern const SceneFrame splines_frame;
// The program splines, drawing that frame.
extern const ProgramInfo splines_program;

constexpr std::uint32_t splines_color_a = 0x00F5F5DC;  // cream
constexpr std::uint32_t splines_color_b = 0x00FFFAF0;  // off-white
constexpr int splines_arc_count = 6;

// The cream checkerboard, which splines2 shows too.
bool splines_background(const Canvas& canvas, std::uint32_t tick);
