// Entry of a fullscreen program in the native build: the shared command
// line (--frame, --help, --version), then the display run. When no display
// can be opened, one line on stderr says why, and the status is 1.
#include <cstdio>

#include "display_sdl.h"
#include "frame_export.h"
#include "framework.h"
#include "fullscreen_entry.h"

namespace {

void report_open_failure() {
    std::fprintf(stderr, "%s: cannot open a %dx%d display: %s\n", fullscreen_program.name, frame_width, frame_height,
                 display_failure_reason());
}

}  // namespace

int main(int argc, char** argv) {
    const int status = handle_frame_options(argc, argv, fullscreen_program);
    if (status >= 0) return status;
    return run_fullscreen(report_open_failure);
}
