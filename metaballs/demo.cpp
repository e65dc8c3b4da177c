#include "demo.h"

#include <cstring>

#include "accurate_math.h"
#include "contours.h"
#include "demo_platform.h"
#include "display_adapter.h"
#include "field.h"
#include "segment.h"
#include "ptc.h"

namespace {

constexpr double milliseconds_to_time = 0.0003333333333333333;  // nearest double to 1/3000

// Ball centres move by 7 grid units about the grid's centre, 16.
double ball_coordinate(double rate, double t) { return 16.0 + 7.0 * accurate_sin(rate * t); }

}  // namespace

double demo_time(std::uint32_t clock_ms) { return static_cast<double>(clock_ms) * milliseconds_to_time; }

void build_frame_transform(double t, Matrix& frame_transform) {
    Matrix scratch;
    frame_transform.set_translation({-16.0, -16.0, -16.0});
    scratch.set_rotation_x(t);
    frame_transform.compose(scratch);
    scratch.set_rotation_y(t);
    frame_transform.compose(scratch);
    scratch.set_rotation_z(t);
    frame_transform.compose(scratch);
    scratch.set_translation({0.0, 0.0, 30.0});
    frame_transform.compose(scratch);
}

void fill_field(double t) {
    clear_field();
    add_ball(ball_coordinate(0.323, t), ball_coordinate(3.33, t), ball_coordinate(1.3, t), 1.0f);
    add_ball(ball_coordinate(0.8, t), ball_coordinate(0.33, t), ball_coordinate(5.3, t), 1.0f);
    add_ball(ball_coordinate(1.8, t), ball_coordinate(6.33, t), ball_coordinate(3.3, t), 1.0f);
}

void draw_frame(std::uint32_t clock_ms, DrawTarget& frame_surface) {
    const double t = demo_time(clock_ms);
    Matrix frame_transform;
    build_frame_transform(t, frame_transform);
    {
        ColorValue black(0.0f, 0.0f, 0.0f, 1.0f);
        frame_surface.clear(black);
    }
    fill_field(t);

    AALine line;
    SegmentPainter painter{frame_transform, frame_surface, line};
    double threshold = first_threshold;
    extract_contours(threshold, outer_color, painter);
    threshold = threshold * 2.0;  // doubled, not the literal 0.06
    extract_contours(threshold, inner_color, painter);
}

void render_frame(std::uint32_t clock_ms, std::uint32_t* pixels) {
    PixelFormat format(32, 0xFF0000, 0xFF00, 0xFF, 0);
    OffscreenSurface surface(frame_width, frame_height, format);
    draw_frame(clock_ms, surface);
    const std::uint32_t* drawn = surface.lock();
    if (drawn) std::memcpy(pixels, drawn, sizeof(std::uint32_t) * frame_width * frame_height);
    surface.unlock();
}

std::string run_demo() {
    // Made in this order, released in the reverse order by leaving the scope.
    PixelFormat format(32, 0xFF0000, 0xFF00, 0xFF, 0);
    DisplayWindow window;
    // Without a window there is nothing to show: say why and end.
    if (!window.open("Morkelbrand", frame_width, frame_height, format, 0)) {
        const std::string why = ptc_error_text();
        return why.empty() ? "the framebuffer library gave no reason" : why;
    }
    OffscreenSurface frame_surface(frame_width, frame_height, format);

    if (escape_pressed()) return "";  // Escape already down: no frame at all
    for (;;) {
        draw_frame(read_clock_ms(), frame_surface);
        frame_surface.copy(window);
        const int still_open = window.update();
        if (escape_pressed() || !still_open) break;
    }
    return "";
}
