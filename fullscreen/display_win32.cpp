// The Win32 build's framework calls, passed to the display in use.
#include <windows.h>

#include "display_win32.h"
#include "framework.h"

namespace {
const Display* display = &ddraw_display;
}

void use_display(const Display& chosen) { display = &chosen; }
bool using_display(const Display& chosen) { return display == &chosen; }

int open_display(const char* title, int width, int height) { return display->open(title, width, height); }
void close_display() { display->close(); }
int present_frame(const std::uint32_t* frame_buffer) { return display->present(frame_buffer); }
// Both displays pump their messages as they present and are paced to the
// refresh: a rest shows the same frame again, without a scene's pass.
void rest_display(const std::uint32_t* frame_buffer, std::uint32_t) { display->present(frame_buffer); }
