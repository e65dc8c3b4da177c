// fennick: the demo, or one frame written as a picture file (PNG natively,
// BMP on Win32).
#include <cstdio>

#include "command_line.h"
#include "demo.h"
#include "demo_driver.h"

int main(int argc, char** argv) {
    // fennick always starts in a window and its frame is 4:3 already, so
    // --window and --square-pixels change nothing; natively Alt+Enter goes
    // fullscreen.
    RunOptions options;
    const int status = handle_command_line(argc, argv, fennick_program, options);
    if (status >= 0) return status;
    const std::string error = run_demo();
    if (error.empty()) return 0;
    std::fputs((display_failure_line(fennick_program, error) + "\n").c_str(), stderr);
    return 1;
}
