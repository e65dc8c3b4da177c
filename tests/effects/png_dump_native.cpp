#include "effects_test_support.h"
#include "png_file.h"

bool dump_frame_png(const std::string& path, const std::uint32_t* frame) {
    std::string error;
    return write_png_rgb(path, frame, frame_width, frame_height, error);
}
