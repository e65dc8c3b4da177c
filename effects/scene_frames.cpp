#include "scene_frames.h"

void draw_scene_frame(const SceneFrame& frame, const Canvas& canvas, std::uint32_t tick, std::int32_t tau) {
    if (frame.background(canvas, tick)) frame.scene(canvas, tick, tau);
}

void draw_scene_frame_at(const SceneFrame& frame, const Canvas& canvas, std::uint32_t ms) {
    draw_scene_frame(frame, canvas, tick_of(ms), static_cast<std::int32_t>(ms));
}

void draw_scene_guides_at(const SceneFrame& frame, const Canvas& canvas, std::uint32_t ms) {
    if (frame.guides) frame.guides(canvas, tick_of(ms), static_cast<std::int32_t>(ms));
}
