// fullscreen_pattern: a fullscreen program of the framework that shows the
// test pattern, for the display tests. It runs the shared scene-loop
// skeleton like the real programs; for quick runs in tests,
// PATTERN_FRAMES=N instead presents exactly N frames and returns, which
// ends the program through the normal close path.
#include <cstdlib>

#include "framework.h"
#include "test_pattern.h"

namespace {

std::uint32_t frame_buffer[test_pattern::width * test_pattern::height];

bool pattern_background(const Canvas& canvas, std::uint32_t) {
    test_pattern::draw(canvas.pixels);
    return false;  // all of it
}
const SceneFrame pattern_frame{pattern_background, nullptr};

void draw(const Canvas& canvas, std::uint32_t) { test_pattern::draw(canvas.pixels); }

const ProgramInfo pattern_program = {"fullscreen_pattern", "Shows the display test pattern.", test_pattern::width,
                                     test_pattern::height, 4, 3, ProgramClock::scene_start, 288000, draw};

}  // namespace

const ProgramInfo& fullscreen_program = pattern_program;

void run_scene_loop(std::uint32_t limit) {
    if (const char* frames = std::getenv("PATTERN_FRAMES")) {
        for (int n = std::atoi(frames); n > 0; --n) {
            test_pattern::draw(frame_buffer);
            present_frame(frame_buffer);
        }
        return;
    }
    run_scene_skeleton(limit, frame_buffer, pattern_frame);
}
