// Clock and Escape for the browser build. fennick's own loop (run_demo) never
// runs there: the page's script reads its clock and keys and calls
// render_frame. These answer for the page as it stands.
#include <emscripten.h>

#include "demo_platform.h"

// The page's millisecond clock, wrapped to 32 bits like timeGetTime.
std::uint32_t read_clock_ms() {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(emscripten_get_now()));
}

// Keys reach the page's script, never the core.
bool escape_pressed() { return false; }
