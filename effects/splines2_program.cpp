// splines2: its scene loop on the fullscreen framework and its headless frame.
#include "frame.h"
#include "scene_program.h"

namespace {
std::uint32_t frame_buffer[frame_pixels];  // zero at start; the scene writes every pixel of each frame
}

void run_scene_loop(std::uint32_t limit) { run_scene_skeleton(limit, frame_buffer, scene_pass<splines2_frame>); }

const ProgramInfo fullscreen_program{
    "splines2",
    "Black antialiased arcs on a folding ring, their count growing from 4 to 122, with a counter.",
    scene_time_help, frame_width, frame_height, render_scene_frame<splines2_frame>};
