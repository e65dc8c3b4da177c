// Entry of a fullscreen program in the Win32 build: a GUI program with no
// command line, silent on failure (exit status 1).
#include <windows.h>

#include "fullscreen_entry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return run_fullscreen(nullptr); }
