#pragma once
// The entry shared by the fullscreen programs, after the command line:
// open the display, run the program's scene loop, close the display.
#include <cstdint>

constexpr const char* display_title = "Velkrant";  // window class and title

// Told that open_display failed; true when it has set up another display
// to try (the Win32 build's window), false to give up.
using OpenFailure = bool (*)();

// Calls open_display(display_title, W, H) with the program's frame size
// (fullscreen_program.width and .height); when it fails, asks
// on_open_failure (if given) whether to try again, else returns the exit
// status 1. Once open, runs run_scene_loop with the ticks of the program's
// show (18000 for 288 s), calls close_display and returns 0. (Escape and close requests end the process
// inside present_frame and never come back here.)
int run_fullscreen(OpenFailure on_open_failure);
