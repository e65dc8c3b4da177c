#pragma once
// The whole frame of each fullscreen program as a pure function of the tick
// and tau (milliseconds since the scene loop started). The loop reads tau
// after the background is drawn, so a frame comes in two halves. Each
// program's scene describes its own frame: curves_scene.h, splines_scene.h,
// splines2_scene.h.
#include <cstdint>

#include "canvas.h"

struct SceneFrame {
    // Draws the background of the pass at `tick`. Returns false when that is
    // the whole frame (a flash frame), true when the scene follows.
    bool (*background)(const Canvas& canvas, std::uint32_t tick);
    // Draws the scene of the pass at `tick` over the background, at tau.
    void (*scene)(const Canvas& canvas, std::uint32_t tick, std::int32_t tau);
};

// The complete frame at (tick, tau).
void draw_frame(const SceneFrame& frame, const Canvas& canvas, std::uint32_t tick, std::int32_t tau);
// The frame `ms` milliseconds after the loop's start: tick = ms >> 4, tau = ms
// (read as a signed 32-bit count, as the loop does).
void draw_frame_at(const SceneFrame& frame, const Canvas& canvas, std::uint32_t ms);
