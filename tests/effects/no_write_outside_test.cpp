// No primitive, text call or scene writes outside the 64,000-pixel frame,
// whatever its inputs. Each case runs twice: on a frame with canary guard
// regions (checked here, on every build) and on a heap block of exactly
// 64,000 pixels (which AddressSanitizer watches in the sanitizer build).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "bezier_ring.h"
#include "curve_plot.h"
#include "effects_test_support.h"
#include "guide_marks.h"
#include "ring_guides.h"
#include "spline_ring.h"
#include "text_overlay.h"

namespace {

using Draw = std::function<void(std::uint32_t*)>;

void expect_inside(const Draw& draw, const std::string& what) {
    GuardedFrame guarded(0x00808080);
    draw(guarded.pixels());
    ASSERT_TRUE(guarded.guards_intact()) << what;
    std::vector<std::uint32_t> exact(frame_pixels, 0x00808080);
    draw(exact.data());
}

constexpr std::int32_t int_min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t int_max = std::numeric_limits<std::int32_t>::max();

class Inputs {
public:
    explicit Inputs(unsigned seed) : rng_(seed) {}

    // Mostly near and around the frame, sometimes anywhere or at an extreme.
    std::int32_t fixed_coordinate() {
        const Fixed extremes[] = {int_min, int_max, -1, 0, 319 << 16, 199 << 16, 320 << 16, 200 << 16,
                                  (319 << 16) + 1, -0x8000};
        switch (pick(4)) {
            case 0: return extremes[pick(std::size(extremes))];
            case 1: return static_cast<std::int32_t>(rng_());
            default: return static_cast<std::int32_t>(pick(360 << 16)) - (20 << 16);
        }
    }
    double coordinate() {
        const double extremes[] = {-1e300, 1e300, std::nan(""), INFINITY, -INFINITY, 319.0, 199.0, -0.0, 1e-300,
                                   319.0000001, 32768.0};
        switch (pick(4)) {
            case 0: return extremes[pick(std::size(extremes))];
            case 1: return std::uniform_real_distribution<double>(-1e6, 1e6)(rng_);
            default: return std::uniform_real_distribution<double>(-30.0, 350.0)(rng_);
        }
    }
    int position() {
        const int extremes[] = {int_min, int_max, -7, -13, -14, 312, 313, 185, 186, 0};
        if (pick(4) == 0) return extremes[pick(std::size(extremes))];
        return static_cast<int>(pick(400)) - 40;
    }
    float alpha() {
        const float values[] = {0.0f, 1.0f, 0.5f, -1.0f, 2.0f, std::nanf(""), 1e30f, 0.999f};
        return values[pick(std::size(values))];
    }
    std::string text() {
        std::string s;
        const std::size_t n = pick(4) == 0 ? pick(12000) : pick(60);
        for (std::size_t i = 0; i < n; ++i) s += static_cast<char>(pick(6) == 0 ? '\n' : 1 + pick(255));
        return s;
    }
    std::uint32_t pick(std::size_t n) { return static_cast<std::uint32_t>(rng_() % n); }
    std::uint32_t word() { return static_cast<std::uint32_t>(rng_()); }

private:
    std::mt19937 rng_;
};

TEST(NoWriteOutside, Segments) {
    Inputs in(1);
    for (int i = 0; i < 3000; ++i) {
        const Fixed x0 = in.fixed_coordinate(), y0 = in.fixed_coordinate();
        const Fixed x1 = in.fixed_coordinate(), y1 = in.fixed_coordinate();
        const std::uint32_t color = in.word();
        expect_inside([&](std::uint32_t* b) { plot_aa_segment(frame_canvas(b), x0, y0, x1, y1, color); },
                      "segment " + std::to_string(i));
    }
}

TEST(NoWriteOutside, Beziers) {
    Inputs in(2);
    for (int i = 0; i < 2000; ++i) {
        const Point2 end{in.coordinate(), in.coordinate()};
        const Point2 start{in.coordinate(), in.coordinate()};
        const Point2 control{in.coordinate(), in.coordinate()};
        const BezierSettings& s = i % 2 ? curves_bezier : spline_bezier;
        expect_inside([&](std::uint32_t* b) { draw_quadratic_bezier(frame_canvas(b), end, start, control, s); },
                      "bezier " + std::to_string(i));
    }
}

TEST(NoWriteOutside, Glyphs) {
    Inputs in(3);
    for (int i = 0; i < 4000; ++i) {
        const int x = in.position(), y = in.position();
        const int c = static_cast<int>(in.pick(400)) - 100;
        const float a = in.alpha();
        const int r = static_cast<int>(in.word()), g = static_cast<int>(in.word()), bl = static_cast<int>(in.word());
        expect_inside([&](std::uint32_t* b) { draw_glyph(frame_canvas(b), {a, r, g, bl}, x, y, c); }, "glyph " + std::to_string(i));
    }
}

TEST(NoWriteOutside, Texts) {
    Inputs in(4);
    for (int i = 0; i < 300; ++i) {
        const int x = in.position(), y = in.position();
        const int centred = static_cast<int>(in.pick(2));
        const float a = in.alpha();
        const std::string s = in.text();
        expect_inside([&](std::uint32_t* b) { draw_text(frame_canvas(b), {a, 255, 0, 128, centred != 0}, x, y, "%s", s.c_str()); },
                      "text " + std::to_string(i));
    }
}

TEST(NoWriteOutside, GuideMarks) {
    Inputs in(6);
    for (int i = 0; i < 3000; ++i) {
        const double x0 = in.coordinate(), y0 = in.coordinate(), x1 = in.coordinate(), y1 = in.coordinate();
        const int arm = i % 8 ? static_cast<int>(in.pick(40)) : in.position();
        expect_inside([&](std::uint32_t* b) {
            const Canvas c = frame_canvas(b);
            guide_line(c, x0, y0, x1, y1, guide_cyan);
            guide_dot(c, x0, y1, guide_magenta);
            guide_cross(c, x1, y0, arm, guide_cyan);
            guide_plus(c, x1, y1, arm, guide_magenta);
        }, "guide marks " + std::to_string(i));
    }
}

TEST(NoWriteOutside, Scenes) {
    Inputs in(5);
    for (int i = 0; i < 60; ++i) {
        const std::int32_t tau = i < 4 ? (i % 2 ? int_min : int_max) : static_cast<std::int32_t>(in.word());
        const int n = i < 8 ? (i % 4) - 1 : static_cast<int>(in.pick(300)) + 1;
        expect_inside([&](std::uint32_t* b) { draw_bezier_ring(frame_canvas(b), tau, n); }, "bezier ring " + std::to_string(i));
        expect_inside([&](std::uint32_t* b) { draw_spline_ring(frame_canvas(b), tau, n); }, "spline ring " + std::to_string(i));
        expect_inside([&](std::uint32_t* b) { draw_ring_guides(frame_canvas(b), bezier_ring_shape, tau, n); },
                      "bezier ring guides " + std::to_string(i));
        expect_inside([&](std::uint32_t* b) { draw_ring_guides(frame_canvas(b), spline_ring_shape, tau, n); },
                      "spline ring guides " + std::to_string(i));
    }
}

}  // namespace
