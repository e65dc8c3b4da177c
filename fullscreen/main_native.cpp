// Entry of a fullscreen program in the native build: the shared command
// line (--frame, --record, --window, --help, ...), then the display run. When no display
// can be opened, one line on stderr says why, and the status is 1.
#include <cstdio>

#include "display_sdl.h"
#include "command_line.h"
#include "framework.h"
#include "fullscreen_entry.h"

namespace {

bool report_open_failure() {
    std::fprintf(stderr, "%s\n", display_failure_line(fullscreen_program, display_failure_reason()).c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    RunOptions options;
    const int status = handle_command_line(argc, argv, fullscreen_program, options);
    if (status >= 0) return status;
    set_display_options(options);
    return run_fullscreen(report_open_failure);
}
