// Native build: a failed golden frame is written as a PNG beside the tests.
#include <cstdlib>

#include "png_file.h"
#include "golden_output.h"

bool golden_update_requested() { return std::getenv("FENNICK_GOLDEN_UPDATE") != nullptr; }

std::string save_failed_frame(std::uint32_t clock_ms, const std::vector<std::uint32_t>& pixels, int width,
                              int height) {
    const std::string path = "fennick_golden_" + std::to_string(clock_ms) + "_actual.png";
    std::string error;
    if (!write_png_rgb(path, pixels.data(), width, height, error)) return "; could not save it: " + error;
    return "; frame written to " + path + " (compare with fennick --frame " + std::to_string(clock_ms) +
           " from a good build)";
}
