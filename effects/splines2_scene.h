#pragma once
// splines2: a black-and-white checkerboard flash when tick % 300 < 3;
// otherwise as splines with N = (tick / 300) * 2 + 4.
#include <cstdint>

#include "scene_frames.h"

extern const SceneFrame splines2_frame;
// The program splines2, drawing that frame.
extern const ProgramInfo splines2_program;

constexpr std::uint32_t splines2_flash_a = 0x00000000;
constexpr std::uint32_t splines2_flash_b = 0x00FFFFFF;
// Ticks of 16 ms from one step of N to the next, and the flash length.
constexpr std::uint32_t splines2_step_ticks = 300;
constexpr std::uint32_t splines2_flash_ticks = 3;

// Number of arcs at `tick`.
int splines2_arc_count(std::uint32_t tick);
