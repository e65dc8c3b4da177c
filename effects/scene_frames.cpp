#include "scene_frames.h"

#include <algorithm>

#include "bezier_ring.h"
#include "curve_plot.h"
#include "frame.h"
#include "spline_ring.h"

namespace {

constexpr int tick_shift = 4;  // a tick is 16 ms

bool curves_background(const Canvas& canvas, std::uint32_t tick) {
    if (tick % curves_step_ticks == 0) {
        for (int y = 0; y < canvas.height; ++y) std::fill(canvas.row(y), canvas.row(y) + canvas.width, curves_flash_color);
        return false;
    }
    fill_checkerboard(canvas, curves_color_a, curves_color_b);
    return true;
}

void curves_scene(const Canvas& canvas, std::uint32_t tick, std::int32_t tau) {
    draw_bezier_ring(canvas, tau, curves_arc_count(tick));
}

bool splines_background(const Canvas& canvas, std::uint32_t) {
    fill_checkerboard(canvas, splines_color_a, splines_color_b);
    return true;
}

void splines_scene(const Canvas& canvas, std::uint32_t, std::int32_t tau) {
    draw_spline_ring(canvas, tau, splines_arc_count);
}

bool splines2_background(const Canvas& canvas, std::uint32_t tick) {
    if (tick % splines2_step_ticks < splines2_flash_ticks) {
        fill_checkerboard(canvas, splines2_flash_a, splines2_flash_b);
        return false;
    }
    return splines_background(canvas, tick);
}

void splines2_scene(const Canvas& canvas, std::uint32_t tick, std::int32_t tau) {
    draw_spline_ring(canvas, tau, splines2_arc_count(tick));
}

}  // namespace

const SceneFrame curves_frame{curves_background, curves_scene};
const SceneFrame splines_frame{splines_background, splines_scene};
const SceneFrame splines2_frame{splines2_background, splines2_scene};

int curves_arc_count(std::uint32_t tick) { return static_cast<int>(tick / curves_step_ticks + 2); }
int splines2_arc_count(std::uint32_t tick) { return static_cast<int>((tick / splines2_step_ticks) * 2 + 4); }

void draw_frame(const SceneFrame& frame, const Canvas& canvas, std::uint32_t tick, std::int32_t tau) {
    if (frame.background(canvas, tick)) frame.scene(canvas, tick, tau);
}

void draw_frame_at(const SceneFrame& frame, const Canvas& canvas, std::uint32_t ms) {
    draw_frame(frame, canvas, ms >> tick_shift, static_cast<std::int32_t>(ms));
}
