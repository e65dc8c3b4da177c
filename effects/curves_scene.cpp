#include "curves_scene.h"

#include <algorithm>

#include "bezier_ring.h"
#include "curve_plot.h"
#include "ring_guides.h"

namespace {

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

void curves_guides(const Canvas& canvas, std::uint32_t tick, std::int32_t tau) {
    draw_ring_guides(canvas, bezier_ring_shape, tau, curves_arc_count(tick));
}

}  // namespace

const SceneFrame curves_frame{curves_background, curves_scene, curves_guides};
const ProgramInfo curves_program = scene_program<curves_frame>(
    "curves", "A growing ring of white antialiased Bezier arcs over a slate-and-brown checkerboard.",
    curves_step_ticks);

int curves_arc_count(std::uint32_t tick) { return static_cast<int>(tick / curves_step_ticks + 2); }
