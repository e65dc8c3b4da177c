#pragma once
// The whole frame of each fullscreen program as a pure function of the tick
// and tau (milliseconds since the scene loop started). The loop reads tau
// after the background is drawn, so a frame comes in two halves. Each
// program's scene describes its own frame: curves_scene.h, splines_scene.h,
// splines2_scene.h.
#include <cstdint>

#include "canvas.h"
#include "frame.h"
#include "program.h"
#include "ticks.h"

struct SceneFrame {
    // Draws the background of the pass at `tick`. Returns false when that is
    // the whole frame (a flash frame), true when the scene follows.
    bool (*background)(const Canvas& canvas, std::uint32_t tick);
    // Draws the scene of the pass at `tick` over the background, at tau.
    void (*scene)(const Canvas& canvas, std::uint32_t tick, std::int32_t tau);
    // Draws the construction of that scene (its guides) over the frame; null
    // for a frame without guides.
    void (*guides)(const Canvas& canvas, std::uint32_t tick, std::int32_t tau) = nullptr;
};

// The complete frame at (tick, tau).
void draw_scene_frame(const SceneFrame& frame, const Canvas& canvas, std::uint32_t tick, std::int32_t tau);
// The frame `ms` milliseconds after the loop's start: tick = ms >> 4, tau = ms
// (read as a signed 32-bit count, as the loop does).
void draw_scene_frame_at(const SceneFrame& frame, const Canvas& canvas, std::uint32_t ms);
// The guides of the frame `ms` milliseconds after the loop's start, at the
// same tick and tau, flash frames included (the ring is there, unseen).
void draw_scene_guides_at(const SceneFrame& frame, const Canvas& canvas, std::uint32_t ms);

// Each fullscreen program's show: 18000 ticks, 288 s.
constexpr std::uint32_t scene_show_ticks = 18000;

// A frame's draw for its program's description.
template <const SceneFrame& Frame>
void draw_scene_program(const Canvas& canvas, std::uint32_t ms) {
    draw_scene_frame_at(Frame, canvas, ms);
}
template <const SceneFrame& Frame>
void draw_scene_program_guides(const Canvas& canvas, std::uint32_t ms) {
    draw_scene_guides_at(Frame, canvas, ms);
}

// The description of a fullscreen program drawing `Frame`: 320x200 shown as
// a 4:3 picture, its time counted from its scene loop's start, for its show,
// in steps of `step_ticks` (0: none).
template <const SceneFrame& Frame>
constexpr ProgramInfo scene_program(const char* name, const char* summary, std::uint32_t step_ticks = 0) {
    return {name,
            summary,
            frame_width,
            frame_height,
            4,
            3,
            ProgramClock::scene_start,
            ticks_to_ms(scene_show_ticks),
            draw_scene_program<Frame>,
            draw_scene_program_guides<Frame>,
            ticks_to_ms(step_ticks)};
}
