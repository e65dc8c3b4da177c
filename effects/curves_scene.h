#pragma once
// curves: a white flash whenever tick % 500 == 0; otherwise the
// slate-and-brown checkerboard and draw_bezier_ring with N = tick / 500 + 2.
#include <cstdint>

#include "scene_frames.h"

extern const SceneFrame curves_frame;
// The program curves, drawing that frame.
extern const ProgramInfo curves_program;

constexpr std::uint32_t curves_flash_color = 0x00FFFFFF;
constexpr std::uint32_t curves_color_a = 0x00607B8B;  // slate
constexpr std::uint32_t curves_color_b = 0x008B4C39;  // brown
// Ticks of 16 ms from one step of N to the next.
constexpr std::uint32_t curves_step_ticks = 500;

// Number of arcs at `tick`.
int curves_arc_count(std::uint32_t tick);
