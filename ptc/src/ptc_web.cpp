// ptc in the browser: off-screen surfaces only. The page draws the pixels on
// its own canvas, so there is no window to open.
#include "ptc_internal.h"

ptc_window_backend* ptc_backend_open(ptc_target*, const char*, int) {
    ptc_fail("no windows in the browser build: the page shows the frames");
    return nullptr;
}

int ptc_backend_update(ptc_window_backend*, const ptc_target*) { return 0; }
int ptc_backend_rest(ptc_window_backend*, const ptc_target*, int) { return 0; }

void ptc_backend_close(ptc_window_backend*) {}
