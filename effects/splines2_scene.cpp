#include "splines2_scene.h"

#include "curve_plot.h"
#include "ring_guides.h"
#include "spline_ring.h"
#include "splines_scene.h"

namespace {

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

void splines2_guides(const Canvas& canvas, std::uint32_t tick, std::int32_t tau) {
    draw_ring_guides(canvas, spline_ring_shape, tau, splines2_arc_count(tick));
}

}  // namespace

const SceneFrame splines2_frame{splines2_background, splines2_scene, splines2_guides};
const ProgramInfo splines2_program = scene_program<splines2_frame>(
    "splines2", "Black antialiased arcs on a folding ring, their count growing from 4 to 122, with a counter.",
    splines2_step_ticks);

int splines2_arc_count(std::uint32_t tick) { return static_cast<int>((tick / splines2_step_ticks) * 2 + 4); }
