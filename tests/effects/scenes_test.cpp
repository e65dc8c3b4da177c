#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "bezier_ring.h"
#include "curve_plot.h"
#include "effects_test_support.h"
#include "curves_scene.h"
#include "scene_frames.h"
#include "splines2_scene.h"
#include "splines_scene.h"
#include "scene_storage.h"
#include "scene_storage_double.h"
#include "spline_ring.h"
#include "text_overlay.h"

namespace {

// Makes every attempt to obtain scene storage fail while it lives.
class NoStorage {
public:
    NoStorage() : previous_(set_scene_storage_allocator([](std::size_t) -> void* { return nullptr; })) {}
    ~NoStorage() { set_scene_storage_allocator(previous_); }

private:
    StorageAllocator previous_;
};

GuardedFrame checkerboard(std::uint32_t a, std::uint32_t b) {
    GuardedFrame f;
    fill_checkerboard(f.canvas(), a, b);
    return f;
}

bool all_pixels(const GuardedFrame& f, std::uint32_t value) {
    for (int i = 0; i < frame_pixels; ++i)
        if (f.pixels()[i] != value) return false;
    return true;
}

// Everything the scene drew lies within x 8 ... 312 and y 5 ... 195 (plus the
// splats' right and lower pixels, and the counter for the spline scenes).
void expect_arcs_inside(const SceneFrame& scene, std::uint32_t tick, std::int32_t tau, const GuardedFrame& bg,
                        bool counter) {
    GuardedFrame f;
    draw_scene_frame(scene, f.canvas(), tick, tau);
    ASSERT_TRUE(f.guards_intact());
    for (int y = 0; y < frame_height; ++y)
        for (int x = 0; x < frame_width; ++x) {
            const bool inside = x >= 8 && x <= 313 && y >= 5 && y <= 196;
            const bool counter_area = counter && x < 2 + 7 * 13 && y < 2 + 14;
            if (!inside && !counter_area) {
                ASSERT_EQ(f.at(x, y), bg.at(x, y)) << "tick " << tick << " pixel " << x << "," << y;
            }
        }
}

TEST(CurvesFrame, FlashFramesAreWhite) {
    for (std::uint32_t tick : {0u, 500u, 1000u, 17500u, 18000u}) {
        GuardedFrame f;
        draw_scene_frame(curves_frame, f.canvas(), tick, static_cast<std::int32_t>(tick * 16 + 5));
        EXPECT_TRUE(all_pixels(f, 0x00FFFFFF)) << "tick " << tick;
    }
    GuardedFrame f;
    draw_scene_frame_at(curves_frame, f.canvas(), 15);  // tick 0: the first 16 ms
    EXPECT_TRUE(all_pixels(f, 0x00FFFFFF));
    draw_scene_frame_at(curves_frame, f.canvas(), 16);
    EXPECT_FALSE(all_pixels(f, 0x00FFFFFF));
}

TEST(CurvesFrame, BackgroundCornersAndArcCount) {
    GuardedFrame f;
    draw_scene_frame(curves_frame, f.canvas(), 1, 16);
    EXPECT_EQ(f.at(0, 0), 0x008B4C39u);
    EXPECT_EQ(f.at(8, 0), 0x00607B8Bu);
    EXPECT_EQ(curves_arc_count(1), 2);
    EXPECT_EQ(curves_arc_count(499), 2);
    EXPECT_EQ(curves_arc_count(501), 3);
    EXPECT_EQ(curves_arc_count(17999), 37);
    EXPECT_EQ(curves_arc_count(18000), 38);
}

TEST(BezierRing, AtTimeZeroBothArcsRunStraightThroughTheCentre) {
    // Ring points (160, 190) and about (160, 10); s = 0 puts both controls at
    // the centre, so both arcs are the vertical line x = 160.
    GuardedFrame f = checkerboard(curves_color_a, curves_color_b);
    const GuardedFrame bg = checkerboard(curves_color_a, curves_color_b);
    draw_bezier_ring(f.canvas(), 0, 2);
    for (int y = 15; y <= 185; ++y) EXPECT_GE(red(f.at(160, y)), 0xF0u) << "row " << y;
    const Box box = changed_box(bg.pixels(), f.pixels());
    EXPECT_GE(box.x0, 159);
    EXPECT_LE(box.x1, 161);
    EXPECT_GE(box.y0, 9);
    EXPECT_LE(box.y1, 191);
}

TEST(BezierRing, ArcsStayInsideTheFrameAllRunLong) {
    const GuardedFrame bg = checkerboard(curves_color_a, curves_color_b);
    for (std::uint32_t ms = 17; ms < 288000; ms += 7919) {
        const std::uint32_t tick = ms >> 4;
        if (tick % curves_step_ticks == 0) continue;
        expect_arcs_inside(curves_frame, tick, static_cast<std::int32_t>(ms), bg, false);
    }
}

TEST(BezierRing, WithoutStorageOnlyTheBackgroundIsDrawn) {
    const GuardedFrame bg = checkerboard(curves_color_a, curves_color_b);
    GuardedFrame f;
    {
        NoStorage failing;
        draw_scene_frame(curves_frame, f.canvas(), 2000 + 1, 32000);
    }
    EXPECT_EQ(frame_hash(f.pixels()), frame_hash(bg.pixels()));
    draw_scene_frame(curves_frame, f.canvas(), 2000 + 1, 32000);  // storage back: the ring returns
    EXPECT_NE(frame_hash(f.pixels()), frame_hash(bg.pixels()));
}

TEST(BezierRing, NoPointsDrawNothing) {
    const GuardedFrame bg = checkerboard(curves_color_a, curves_color_b);
    GuardedFrame f = checkerboard(curves_color_a, curves_color_b);
    draw_bezier_ring(f.canvas(), 1234, 0);
    draw_bezier_ring(f.canvas(), 1234, -5);
    EXPECT_EQ(frame_hash(f.pixels()), frame_hash(bg.pixels()));
}

TEST(SplineRing, AtTimeZeroTheRingIsADotAtTheCentre) {
    GuardedFrame f = checkerboard(splines_color_a, splines_color_b);
    const GuardedFrame bg = checkerboard(splines_color_a, splines_color_b);
    EXPECT_EQ(draw_spline_ring(f.canvas(), 0, 6), 1);
    EXPECT_EQ(red(f.at(160, 100)), 0u);
    // Apart from the counter in the corner, only the pixels next to the centre changed.
    for (int y = 20; y < frame_height; ++y)
        for (int x = 0; x < frame_width; ++x)
            if (x < 158 || x > 162 || y < 98 || y > 102) {
                ASSERT_EQ(f.at(x, y), bg.at(x, y)) << x << "," << y;
            }
}

TEST(SplineRing, CounterIsHalfBlackOverTheCheckerboard) {
    GuardedFrame f;
    draw_scene_frame(splines_frame, f.canvas(), 10, 160);
    EXPECT_EQ(f.at(3, 3), 0x007F7D78u);  // 'S' ink over 0x00FFFAF0
    EXPECT_EQ(f.at(9, 6), 0x007A7A6Eu);  // 'p' ink over 0x00F5F5DC
    EXPECT_EQ(f.at(2, 3), 0x00FFFAF0u);  // paper of the 'S' cell
    EXPECT_EQ(f.at(0, 0), 0x00FFFAF0u);
    EXPECT_EQ(f.at(8, 0), 0x00F5F5DCu);
    // The digit: "Splines: 6" ends with its tenth cell at column 65.
    GuardedFrame six;
    fill_checkerboard(six.canvas(), splines_color_a, splines_color_b);
    draw_glyph(six.canvas(), {0.5f, 0, 0, 0}, 65, 2, '6');
    for (int y = 2; y < 16; ++y)
        for (int x = 65; x < 72; ++x) EXPECT_EQ(f.at(x, y), six.at(x, y)) << x << "," << y;
}

TEST(SplineRing, WithoutStorageOnlyTheBackgroundIsDrawn) {
    const GuardedFrame bg = checkerboard(splines_color_a, splines_color_b);
    GuardedFrame f = checkerboard(splines_color_a, splines_color_b);
    {
        NoStorage failing;
        EXPECT_EQ(draw_spline_ring(f.canvas(), 5000, 6), 0);
        GuardedFrame g;
        draw_scene_frame(splines2_frame, g.canvas(), 5000, 80000);
        EXPECT_EQ(frame_hash(g.pixels()), frame_hash(bg.pixels()));
    }
    EXPECT_EQ(frame_hash(f.pixels()), frame_hash(bg.pixels()));
}

TEST(SplineRing, ArcsStayInsideTheFrameAllRunLong) {
    const GuardedFrame bg = checkerboard(splines_color_a, splines_color_b);
    for (std::uint32_t ms = 50; ms < 288000; ms += 6007) {
        const std::uint32_t tick = ms >> 4;
        expect_arcs_inside(splines_frame, tick, static_cast<std::int32_t>(ms), bg, true);
        if (tick % splines2_step_ticks >= splines2_flash_ticks)
            expect_arcs_inside(splines2_frame, tick, static_cast<std::int32_t>(ms), bg, true);
    }
}

TEST(Splines2Frame, FlashFramesShowOnlyTheBlackAndWhiteCheckerboard) {
    const GuardedFrame flash = checkerboard(0x00000000, 0x00FFFFFF);
    for (std::uint32_t tick : {0u, 1u, 2u, 300u, 301u, 302u, 17700u}) {
        GuardedFrame f;
        draw_scene_frame(splines2_frame, f.canvas(), tick, static_cast<std::int32_t>(tick * 16));
        EXPECT_EQ(frame_hash(f.pixels()), frame_hash(flash.pixels())) << "tick " << tick;
        EXPECT_EQ(f.at(0, 0), 0x00FFFFFFu);
        EXPECT_EQ(f.at(8, 0), 0x00000000u);
    }
    GuardedFrame f;
    draw_scene_frame(splines2_frame, f.canvas(), 3, 48);
    EXPECT_EQ(f.at(0, 0), 0x00FFFAF0u);
}

TEST(Splines2Frame, CountGrowsByTwoFromFourTo122) {
    EXPECT_EQ(splines2_arc_count(0), 4);
    EXPECT_EQ(splines2_arc_count(299), 4);
    EXPECT_EQ(splines2_arc_count(300), 6);
    EXPECT_EQ(splines2_arc_count(17699), 120);
    EXPECT_EQ(splines2_arc_count(17700), 122);
    EXPECT_EQ(splines2_arc_count(17999), 122);
}

TEST(SceneStorage, HugeCountsFailWithoutOverflow) {
    SceneStorage<double> too_many(static_cast<std::size_t>(-1) / 4);
    EXPECT_FALSE(too_many);
    SceneStorage<double> none(0);
    EXPECT_FALSE(none);
    SceneStorage<double> some(3);
    ASSERT_TRUE(some);
    EXPECT_EQ(some[2], 0.0);
}

}  // namespace
