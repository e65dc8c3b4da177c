// fennick's driver: the objects of the framebuffer library made in order and
// released in reverse, and the loop over the clock and Escape.
#include "demo_driver.h"

#include "clock.h"
#include "demo.h"
#include "demo_platform.h"
#include "display_adapter.h"
#include "ptc.h"

std::string run_demo() {
    // Made in this order, released in the reverse order by leaving the scope.
    PixelFormat format(32, 0xFF0000, 0xFF00, 0xFF, 0);
    DisplayWindow window;
    // Without a window there is nothing to show: say why and end.
    if (!window.open("Morkelbrand", demo_width, demo_height, format, 0)) {
        const std::string why = ptc_error_text();
        return why.empty() ? "the framebuffer library gave no reason" : why;
    }
    OffscreenSurface frame_surface(demo_width, demo_height, format);

    if (escape_pressed()) return "";  // Escape already down: no frame at all
    for (;;) {
        draw_demo_frame(clock_ms(), frame_surface);
        frame_surface.copy(window);
        const int still_open = window.update();
        if (escape_pressed() || !still_open) break;
    }
    return "";
}
