// Where ptc.dll starts, instead of mingw-w64's start-up code for DLLs (as
// start_win32.cpp does for the exes): the process that loads it has set up
// the C runtime and the x87 already, so all that is left is our static
// constructors when the DLL is loaded and their destructors when it is
// unloaded.
#include <windows.h>

extern "C" void __main();  // mingw-w64's: runs the static constructors once

namespace {

// What the constructors registered, run in reverse order on unloading.
void (*exit_functions[16])();
int exit_count = 0;

}  // namespace

extern "C" {

int atexit(void (*function)()) {
    if (exit_count == sizeof exit_functions / sizeof exit_functions[0]) return -1;
    exit_functions[exit_count++] = function;
    return 0;
}

// The linker's default entry of a DLL.
BOOL WINAPI DllMainCRTStartup(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) __main();
    if (reason == DLL_PROCESS_DETACH)
        while (exit_count > 0) exit_functions[--exit_count]();
    return TRUE;
}

}  // extern "C"
