// fennick, Win32 build: a window program that ignores its arguments.
#include <windows.h>

#include "demo.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return run_demo(nullptr); }
