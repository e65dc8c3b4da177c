// What the common part of ptc shares with the one window backend of a
// platform (ptc_sdl.cpp or ptc_gdi.cpp).
#pragma once
#include <cstdint>

#include "ptc.h"

struct ptc_format {
    std::uint32_t masks[4];  // red, green, blue, alpha
};

struct ptc_color {
    float components[4];  // red, green, blue, alpha, each 0 ... 1
};

// The platform's window state; only the backend knows its layout.
struct ptc_window_backend;

struct ptc_target {
    int width = 0;
    int height = 0;
    ptc_format format{};
    std::uint32_t* pixels = nullptr;  // width * height, row after row
    bool locked = false;
    bool is_window = false;
    ptc_window_backend* backend = nullptr;  // non-null while a window is open
    ptc_key_function on_key = nullptr;      // a window's keys (ptc_window_keys)
    void* key_context = nullptr;
};

// Records the reason of a failure for ptc_error_text; returns 0 so that a
// failing call can end with `return ptc_fail("...")`.
int ptc_fail(const char* reason);

// Backend: show the window for `window` (pixels already allocated). On
// failure calls ptc_fail and returns null.
ptc_window_backend* ptc_backend_open(ptc_target* window, const char* title, int pages);
// Backend: put the window's pixels on the screen and answer the window
// system's events; 1 while open, 0 once the user asked to close it.
int ptc_backend_update(ptc_window_backend* backend, const ptc_target* window);
// Backend: answer the events of up to `ms` milliseconds, showing the pixels
// last updated again where the window must be painted; as update returns.
int ptc_backend_rest(ptc_window_backend* backend, const ptc_target* window, int ms);
// Backend: close the window and release what open acquired.
void ptc_backend_close(ptc_window_backend* backend);
