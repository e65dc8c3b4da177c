#include "splines_scene.h"

#include "curve_plot.h"
#include "ring_guides.h"
#include "spline_ring.h"

namespace {

void splines_scene(const Canvas& canvas, std::uint32_t, std::int32_t tau) {
    draw_spline_ring(canvas, tau, splines_arc_count);
}

void splines_guides(const Canvas& canvas, std::uint32_t, std::int32_t tau) {
    draw_ring_guides(canvas, spline_ring_shape, tau, splines_arc_count);
}

}  // namespace

bool splines_background(const Canvas& canvas, std::uint32_t) {
    fill_checkerboard(canvas, splines_color_a, splines_color_b);
    return true;
}

const SceneFrame splines_frame{splines_background, splines_scene, splines_guides};
const ProgramInfo splines_program = scene_program<splines_frame>(
    "splines", "Six black antialiased arcs on a folding ring over a cream checkerboard, with a counter.");
