#include "demo_guides.h"

#include "demo.h"
#include "field.h"
#include "guide_marks.h"
#include "segment.h"

namespace {
constexpr int centre_arm = 3;  // a ball centre's cross
}

void draw_demo_guides(const Canvas& canvas, std::uint32_t clock_ms) {
    const double t = demo_time(clock_ms);
    Matrix frame_transform;
    build_frame_transform(t, frame_transform);
    auto on_screen = [&](const Vector& p) { return project(frame_transform.transform_point(p)); };

    // Corner k of the grid lies at the far end of the first, second and
    // third axis where bits 0, 1 and 2 of k are set; an edge joins two
    // corners that differ in one bit.
    constexpr double far = field_size - 1;
    ScreenPoint corners[8];
    for (int k = 0; k < 8; ++k) corners[k] = on_screen({k & 1 ? far : 0.0, k & 2 ? far : 0.0, k & 4 ? far : 0.0});
    for (int k = 0; k < 8; ++k)
        for (int bit = 1; bit < 8; bit <<= 1)
            if (!(k & bit)) guide_line(canvas, corners[k].x, corners[k].y, corners[k | bit].x, corners[k | bit].y, guide_cyan);

    Vector centres[ball_count];
    ball_centres(t, centres);
    for (const Vector& centre : centres) {
        const ScreenPoint s = on_screen(centre);
        guide_cross(canvas, s.x, s.y, centre_arm, guide_magenta);
    }
    guide_label(canvas, guide_magenta, "segments: %ld", count_demo_segments(clock_ms));
}
