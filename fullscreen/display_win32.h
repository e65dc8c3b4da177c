#pragma once
// The Win32 build's two displays behind open_display, close_display and
// present_frame: DirectDraw fullscreen at 320x200 (the default) and a GDI
// window showing the 4:3 picture, which --window or the offer after a failed
// fullscreen set-up chooses.
#include <cstdint>

struct Display {
    int (*open)(const char* title, int width, int height);
    void (*close)();
    int (*present)(const std::uint32_t* frame_buffer);
};

extern const Display ddraw_display;   // display_ddraw.cpp
extern const Display window_display;  // display_window.cpp

// The display that open_display and the others use from now on.
void use_display(const Display& display);
bool using_display(const Display& display);

// Why the last DirectDraw set-up failed, as a phrase for a person.
const char* ddraw_failure_reason();

// The window display's picture: 1:1 pixels instead of the 4:3 picture.
void set_window_square_pixels(bool square_pixels);
