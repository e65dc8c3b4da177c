#pragma once
// One pass of a fullscreen program's scene loop: the frame drawn as the loop
// draws it, with tau read from the clock between its two halves.
#include <cstdint>

#include "frame.h"
#include "framework.h"
#include "scene_frames.h"

// The pass at `tick`: the background, then, unless it was a flash, the
// scene at tau = the shown time read after the background (untouched,
// clock_ms() - start).
template <const SceneFrame& Frame>
void scene_pass(std::uint32_t* buffer, std::uint32_t tick) {
    const Canvas canvas = frame_canvas(buffer);
    if (!Frame.background(canvas, tick)) return;
    const auto tau = static_cast<std::int32_t>(scene_ms());
    Frame.scene(canvas, tick, tau);
}
