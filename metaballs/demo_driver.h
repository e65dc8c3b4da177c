#pragma once
// fennick's loop on the screen: the window, a frame for each reading of the
// clock, until Escape or the window is closed.
#include <string>

// The program: window, loop until Escape or the window is closed, release.
// Returns an empty string then; otherwise why the window could not be
// opened (and nothing was drawn).
std::string run_demo();
