// Whole frames: the time, the frame's structure, and golden frames by hash.
// The same hashes hold on every build (native and Win32 under Wine).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "demo.h"
#include "demo_guides.h"
#include "display_adapter.h"
#include "golden.h"
#include "guide_marks.h"
#include "memory_target.h"

namespace {

std::vector<std::uint32_t> frame_at(std::uint32_t clock_ms) {
    std::vector<std::uint32_t> pixels(demo_width * demo_height);
    fennick_program.draw(packed_canvas(pixels.data(), demo_width, demo_height), clock_ms);
    return pixels;
}

struct Golden {
    std::uint32_t clock_ms;
    std::uint64_t hash;
};

const Golden golden_frames[] = {
    {0u, 0xddd12e6388eb3a86ull},
    {3000u, 0xda4e2cf9fc30eedbull},
    {123456789u, 0x5d2d271c566e562aull},
    {4294967295u, 0x8c2eba9b7d63a3ddull},
};

}  // namespace

TEST(DemoTime, IsTheUnsignedCountTimesTheNearestDoubleToAThird) {
    EXPECT_EQ(demo_time(0), 0.0);
    EXPECT_EQ(demo_time(3000), 3000.0 * 0.0003333333333333333);
    EXPECT_NEAR(demo_time(3000), 1.0, 1e-15);
    EXPECT_GT(demo_time(0x80000000u), 715827.0);  // top bit set: not negative
    EXPECT_EQ(demo_time(0xFFFFFFFFu), 4294967295.0 * 0.0003333333333333333);
}

TEST(Frame, AtTimeZeroShowsBothRingFamiliesAroundTheCentre) {
    const std::vector<std::uint32_t> pixels = frame_at(0);
    int outer = 0, inner = 0;
    for (std::uint32_t p : pixels) {
        const std::uint32_t red = p >> 16 & 0xFF, green = p >> 8 & 0xFF, blue = p & 0xFF;
        if (green > red && blue > red) ++outer;  // 0x107040: green with some blue
        if (red > blue && green > blue) ++inner;  // 0x707010: yellow
    }
    EXPECT_GT(outer, 1000);
    EXPECT_GT(inner, 500);
    EXPECT_EQ(pixels[0], 0u);  // the corners stay black
    EXPECT_EQ(pixels[demo_width * demo_height - 1], 0u);
    // The rings are centred: a column left of the middle is as busy as its mirror image.
    int left = 0, right = 0;
    for (int r = 0; r < demo_height; ++r) {
        left += pixels[r * demo_width + 100] != 0;
        right += pixels[r * demo_width + 220] != 0;
    }
    EXPECT_NEAR(left, right, 4);
}

TEST(Frame, IsAPureFunctionOfTheClockWhateverCameBefore) {
    // A frame drawn over a dirty surface, after another frame, equals a fresh one.
    PixelFormat format(32, 0xFF0000, 0xFF00, 0xFF, 0);
    MemoryTarget dirty(demo_width, demo_height, 0x00FFFFFF);
    draw_demo_frame(123457, dirty);
    draw_demo_frame(3000, dirty);
    EXPECT_EQ(dirty.snapshot(), frame_at(3000));
    EXPECT_NE(frame_at(3000), frame_at(3001));
}

TEST(Frame, TheRunningProgramsSurfaceGetsTheStillFramesPixels) {
    // The program on the screen draws on the library's off-screen surface;
    // still frames, captures and the page on a canvas.
    PixelFormat format(32, 0xFF0000, 0xFF00, 0xFF, 0);
    OffscreenSurface surface(demo_width, demo_height, format);
    draw_demo_frame(123456789, surface);
    const std::uint32_t* drawn = surface.lock();
    ASSERT_NE(drawn, nullptr);
    const std::vector<std::uint32_t> on_surface(drawn, drawn + demo_width * demo_height);
    surface.unlock();
    EXPECT_EQ(on_surface, frame_at(123456789));
}

TEST(Frame, GoldenFramesHaveTheirKnownHashes) {
    for (const Golden& golden : golden_frames) {
        const std::vector<std::uint32_t> pixels = frame_at(golden.clock_ms);
        check_golden("fennick-" + std::to_string(golden.clock_ms), pixels.data(), demo_width, demo_height,
                     golden.hash, "fennick at clock count " + std::to_string(golden.clock_ms));
    }
}

TEST(Guides, AreProjectedAsTheContoursAndCountTheSegmentsTheFrameDraws) {
    // At clock 0 nothing has turned and all three balls sit at the grid's
    // centre, which projects to (160, 120); the cube's far face lies 45
    // deep, its top edge on row floor(120 - 16 * 256 / 45) = 28.
    std::vector<std::uint32_t> pixels = frame_at(0);
    fennick_program.draw_guides(packed_canvas(pixels.data(), demo_width, demo_height), 0);
    auto at = [&](int x, int y) { return pixels[y * demo_width + x]; };
    for (int d = -3; d <= 3; ++d) EXPECT_EQ(at(160 + d, 120 + d), guide_magenta) << d;
    EXPECT_EQ(at(150, 28), guide_cyan);
    EXPECT_NE(at(150, 27), guide_cyan);
    // Every segment handed to the rasterizer that reaches the picture locks
    // the surface once; at these times every one of them does.
    for (std::uint32_t ms : {0u, 2000u, 16000u}) {
        MemoryTarget target(demo_width, demo_height);
        draw_demo_frame(ms, target);
        EXPECT_EQ(count_demo_segments(ms), target.locks) << ms;
    }
}

TEST(Guides, StayOnTheCanvasWhereverTheCubeTurns) {
    // The near corners project far outside the frame at most times. Guard
    // pixels here; an allocation of exactly the frame under AddressSanitizer.
    constexpr std::uint32_t canary = 0xA5C3E10Fu;
    constexpr int frame = demo_width * demo_height, guard = 1024;
    std::vector<std::uint32_t> guarded(frame + 2 * guard, canary), exact(frame);
    for (std::uint32_t i = 0, ms = 1; i < 200; ++i, ms = ms * 2654435761u + 12345u) {
        fennick_program.draw_guides(packed_canvas(guarded.data() + guard, demo_width, demo_height), ms);
        fennick_program.draw_guides(packed_canvas(exact.data(), demo_width, demo_height), ms);
    }
    for (int i = 0; i < guard; ++i) {
        ASSERT_EQ(guarded[i], canary) << "before the frame";
        ASSERT_EQ(guarded[guard + frame + i], canary) << "after the frame";
    }
}
