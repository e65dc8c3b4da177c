// draw_quadratic_bezier with any three points (NaN and infinities too) and
// the settings of either program, into the 320x200 frame: nothing outside the
// frame is written (guard words) and every pixel equals the plain reference
// (pieces with an end outside 0 ... 319.0 x 0 ... 199.0 skipped).
#include <cstdint>
#include <cstring>
#include <vector>

#include "curve_plot.h"
#include "frame.h"
#include "fuzz_support.h"
#include "plain_curves.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::uint8_t mode = in.take<std::uint8_t>();
    double v[6];
    for (double& d : v) {
        // Mostly points around the frame, given in 1/64 pixel; else any double.
        d = (mode & 1) ? in.take<double>() : in.take<std::int16_t>() / 64.0;
    }
    const BezierSettings& settings = (mode & 2) ? spline_bezier : curves_bezier;
    const std::uint32_t seed = in.take<std::uint32_t>();

    GuardedBuffer<std::uint32_t> frame(frame_pixels);
    std::vector<std::uint32_t> expected(frame_pixels);
    fill_pattern(expected.data(), frame_pixels, seed);
    std::memcpy(frame.data(), expected.data(), frame_pixels * 4);

    const Point2 end{v[0], v[1]}, start{v[2], v[3]}, control{v[4], v[5]};
    draw_quadratic_bezier(frame_canvas(frame.data()), end, start, control, settings);
    plain::bezier(expected.data(), {v[0], v[1]}, {v[2], v[3]}, {v[4], v[5]}, settings.step,
                  settings.end_rule == BezierEndRule::finish_at_one, settings.color);
    FUZZ_CHECK(frame.guards_intact(), "write outside the frame");
    FUZZ_CHECK(std::memcmp(frame.data(), expected.data(), frame_pixels * 4) == 0,
               "pixels differ from the plain reference: end (%g, %g) start (%g, %g) control (%g, %g)", v[0], v[1],
               v[2], v[3], v[4], v[5]);
    return 0;
}
