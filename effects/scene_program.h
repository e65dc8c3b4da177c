#pragma once
// The glue between a program's frame and the fullscreen framework: the
// pass the scene-loop skeleton calls, and the headless frame for --frame.
#include <cstdint>

#include "frame.h"
#include "framework.h"
#include "scene_frames.h"

// One pass of the loop at `tick`: the background, then, unless it was a
// flash, the scene at tau = clock_ms() - start read after the background.
template <const SceneFrame& Frame>
void scene_pass(std::uint32_t* buffer, std::uint32_t tick, std::uint32_t start) {
    const Canvas canvas = frame_canvas(buffer);
    if (!Frame.background(canvas, tick)) return;
    const auto tau = static_cast<std::int32_t>(clock_ms() - start);
    Frame.scene(canvas, tick, tau);
}

// The frame `ms` milliseconds after the loop's start (tick = ms >> 4, tau = ms).
template <const SceneFrame& Frame>
void render_scene_frame(std::uint32_t ms, std::uint32_t* pixels) {
    draw_frame_at(Frame, frame_canvas(pixels), ms);
}

constexpr const char* scene_time_help = "MS counts from the loop's start";
