#pragma once
// The whole frame of each fullscreen program as a pure function of the tick
// and tau (milliseconds since the scene loop started). The loop reads tau
// after the background is drawn, so a frame comes in two halves.
#include <cstdint>

#include "canvas.h"

struct SceneFrame {
    // Draws the background of the pass at `tick`. Returns false when that is
    // the whole frame (a flash frame), true when the scene follows.
    bool (*background)(const Canvas& canvas, std::uint32_t tick);
    // Draws the scene of the pass at `tick` over the background, at tau.
    void (*scene)(const Canvas& canvas, std::uint32_t tick, std::int32_t tau);
};

// curves: white flash whenever tick % 500 == 0; otherwise the slate-and-brown
// checkerboard and draw_bezier_ring with N = tick / 500 + 2.
extern const SceneFrame curves_frame;
// splines: cream checkerboard and draw_spline_ring with N = 6.
extern const SceneFrame splines_frame;
// splines2: black-and-white checkerboard flash when tick % 300 < 3; otherwise
// as splines with N = (tick / 300) * 2 + 4.
extern const SceneFrame splines2_frame;

// The complete frame at (tick, tau).
void draw_frame(const SceneFrame& frame, const Canvas& canvas, std::uint32_t tick, std::int32_t tau);
// The frame `ms` milliseconds after the loop's start: tick = ms >> 4, tau = ms
// (read as a signed 32-bit count, as the loop does).
void draw_frame_at(const SceneFrame& frame, const Canvas& canvas, std::uint32_t ms);

// Colours of the backgrounds.
constexpr std::uint32_t curves_flash_color = 0x00FFFFFF;
constexpr std::uint32_t curves_color_a = 0x00607B8B;  // slate
constexpr std::uint32_t curves_color_b = 0x008B4C39;  // brown
constexpr std::uint32_t splines_color_a = 0x00F5F5DC;  // cream
constexpr std::uint32_t splines_color_b = 0x00FFFAF0;  // off-white
constexpr std::uint32_t splines2_flash_a = 0x00000000;
constexpr std::uint32_t splines2_flash_b = 0x00FFFFFF;

// Ticks of 16 ms from one step of N to the next, and the flash length.
constexpr std::uint32_t curves_step_ticks = 500;
constexpr std::uint32_t splines2_step_ticks = 300;
constexpr std::uint32_t splines2_flash_ticks = 3;

// Number of arcs at `tick`.
int curves_arc_count(std::uint32_t tick);
int splines2_arc_count(std::uint32_t tick);
constexpr int splines_arc_count = 6;
