// Prints a few readings of the system millisecond clock, for checking the
// stand-in winmm.dll.
#include <windows.h>

#include <cstdio>

int main() {
    for (int i = 0; i < 4; ++i) std::printf("%lu\n", static_cast<unsigned long>(timeGetTime()));
    return 0;
}
