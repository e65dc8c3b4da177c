// Entry of a fullscreen program in the Win32 build: the command line
// (--frame, --window, --help, ...), then the display run. When fullscreen
// cannot be had, a message box says why and offers the window instead,
// unless --quiet asks for the plain status 1.
#include <windows.h>

#include <string>

#include "command_line.h"
#include "display_win32.h"
#include "framework.h"
#include "fullscreen_entry.h"

namespace {

bool offer_window() {
    if (using_display(window_display)) return false;  // the window failed too
    const std::string text = std::string("The screen cannot be switched to ") + std::to_string(fullscreen_program.width) + "x" +
                             std::to_string(fullscreen_program.height) + " for " + fullscreen_program.name + ": " +
                             ddraw_failure_reason() + ".\n\nPlay in a window instead?";
    close_display();  // give the screen back before asking
    if (MessageBoxA(nullptr, text.c_str(), fullscreen_program.name, MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND) != IDYES)
        return false;
    use_display(window_display);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    RunOptions options;
    const int status = handle_command_line(argc, argv, fullscreen_program, options);
    if (status >= 0) return status;
    set_window_square_pixels(options.square_pixels);
    if (options.window) use_display(window_display);
    return run_fullscreen(options.quiet || options.window ? nullptr : offer_window);
}
