#include "demo.h"

#include "canvas_target.h"
#include "contours.h"
#include "demo_guides.h"
#include "display_adapter.h"
#include "field.h"
#include "segment.h"
#include "trig.h"

namespace {

constexpr double milliseconds_to_time = 0.0003333333333333333;  // nearest double to 1/3000

// Ball centres move by 7 grid units about the grid's centre, 16.
double ball_coordinate(double rate, double t) { return 16.0 + 7.0 * pack_sin(rate * t); }

// Both contour passes over the field as filled, every segment to sink.
template <class SegmentSink>
void contour_passes(SegmentSink&& sink) {
    double threshold = first_threshold;
    extract_contours(threshold, outer_color, sink);
    threshold = threshold * 2.0;  // doubled, not the literal 0.06
    extract_contours(threshold, inner_color, sink);
}

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

void ball_centres(double t, Vector centres[ball_count]) {
    centres[0] = {ball_coordinate(0.323, t), ball_coordinate(3.33, t), ball_coordinate(1.3, t)};
    centres[1] = {ball_coordinate(0.8, t), ball_coordinate(0.33, t), ball_coordinate(5.3, t)};
    centres[2] = {ball_coordinate(1.8, t), ball_coordinate(6.33, t), ball_coordinate(3.3, t)};
}

void fill_field(double t) {
    clear_field();
    Vector centres[ball_count];
    ball_centres(t, centres);
    for (const Vector& c : centres) add_ball(c.x, c.y, c.z, 1.0f);
}

void draw_demo_frame(std::uint32_t clock_ms, DrawTarget& frame_surface) {
    const double t = demo_time(clock_ms);
    Matrix frame_transform;
    build_frame_transform(t, frame_transform);
    {
        ColorValue black(0.0f, 0.0f, 0.0f, 1.0f);
        frame_surface.clear(black);
    }
    fill_field(t);

    AALine line;
    contour_passes(SegmentPainter{frame_transform, frame_surface, line});
}

long count_demo_segments(std::uint32_t clock_ms) {
    fill_field(demo_time(clock_ms));
    long segments = 0;
    contour_passes([&](const Vector&, const Vector&, std::uint32_t) { ++segments; });
    return segments;
}

namespace {

void draw_on_canvas(const Canvas& canvas, std::uint32_t clock_ms) {
    CanvasTarget target(canvas);
    draw_demo_frame(clock_ms, target);
}

}  // namespace

const ProgramInfo fennick_program{"fennick", "Metaball iso-lines rotating in 3D.", demo_width, demo_height, 4, 3,
                                  ProgramClock::system, 0, draw_on_canvas, draw_demo_guides};
