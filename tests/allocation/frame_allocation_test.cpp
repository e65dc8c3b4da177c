// A fennick frame takes no heap memory: field, contours, projection and
// lines all work in static or stack storage, whatever the clock says.
#include <gtest/gtest.h>

#include <cstdint>

#include "counting_new.h"
#include "demo.h"
#include "display_adapter.h"

namespace {

TEST(FennickFrameAllocation, WholeFramesOnTheOffscreenSurfaceTakeNoHeapMemory) {
    PixelFormat format(32, 0xFF0000, 0xFF00, 0xFF, 0);
    OffscreenSurface surface(demo_width, demo_height, format);
    for (std::uint32_t clock_ms : {0u, 3000u, 123457u, 4294967295u}) {
        const std::size_t news = counting_new::during([&] { draw_demo_frame(clock_ms, surface); });
        EXPECT_EQ(news, 0u) << "clock " << clock_ms;
    }
    // The frames did draw: the last one has lit pixels.
    const std::uint32_t* pixels = surface.lock();
    ASSERT_NE(pixels, nullptr);
    int lit = 0;
    for (int i = 0; i < demo_width * demo_height; ++i) lit += pixels[i] != 0;
    surface.unlock();
    EXPECT_GT(lit, 1000);
}

}  // namespace
