#include "scene_frames.h"

namespace {
constexpr int tick_shift = 4;  // a tick is 16 ms
}

void draw_frame(const SceneFrame& frame, const Canvas& canvas, std::uint32_t tick, std::int32_t tau) {
    if (frame.background(canvas, tick)) frame.scene(canvas, tick, tau);
}

void draw_frame_at(const SceneFrame& frame, const Canvas& canvas, std::uint32_t ms) {
    draw_frame(frame, canvas, ms >> tick_shift, static_cast<std::int32_t>(ms));
}
