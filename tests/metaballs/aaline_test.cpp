// The line rasterizer: fixed-point helpers, the blend, the plotting
// primitives, and whole segments with exact pixels.
#include "aaline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "memory_target.h"

namespace {

AALine segment(double x0, double y0, double x1, double y1, std::uint32_t color) {
    AALine line;
    line.x0 = x0;
    line.y0 = y0;
    line.x1 = x1;
    line.y1 = y1;
    line.color = color;
    return line;
}

// Pixels that differ from `background`, as a count.
int changed_pixels(MemoryTarget& target, std::uint32_t background = 0) {
    int count = 0;
    for (int r = 0; r < target.height(); ++r)
        for (int c = 0; c < target.width(); ++c) count += target.at(c, r) != background;
    return count;
}

bool column_lit(MemoryTarget& target, int column) {
    for (int r = 0; r < target.height(); ++r)
        if (target.at(column, r) != 0) return true;
    return false;
}

std::uint32_t byte_of(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

}  // namespace

// ---- 16.16 helpers --------------------------------------------------------

TEST(FixedPoint, ConversionTruncatesTowardZeroAndFloorShiftsDown) {
    EXPECT_EQ(to_fixed_unchecked(1.5), 98304);
    EXPECT_EQ(to_fixed_unchecked(-1.5), -98304);
    EXPECT_EQ(to_fixed_unchecked(2.99999999), 2 * 65536 + 65535);
    EXPECT_EQ(to_fixed_unchecked(-0.00001), 0);
    EXPECT_EQ(fixed_floor(-1), -1);
    EXPECT_EQ(fixed_floor(65536 * 7 + 3), 7);
    EXPECT_EQ(fixed_fraction(-1), 65535u);
    EXPECT_EQ(fixed_fraction(65536 * 7 + 3), 3u);
}

// ---- blend --------------------------------------------------------------

TEST(Blend, WeightedPlotAddsTwiceTheFlooredProductToEveryByte) {
    for (std::uint32_t c = 0; c < 256; ++c)
        for (std::uint32_t w : {0u, 1u, 255u, 16384u, 24575u, 32767u}) {
            const std::uint32_t color = c << 16 | (255 - c) << 8 | c;
            const std::uint32_t pixel = 0x00102030;
            const std::uint32_t got = add_weighted(pixel, color, w);
            for (int shift : {0, 8, 16, 24}) {
                const std::uint32_t expected =
                    std::min<std::uint32_t>(255, byte_of(pixel, shift) + 2 * (byte_of(color, shift) * w / 65536));
                ASSERT_EQ(byte_of(got, shift), expected) << "c=" << c << " w=" << w << " shift=" << shift;
            }
        }
}

TEST(Blend, SaturatesEachByteOnItsOwn) {
    EXPECT_EQ(add_weighted(0x00F0F0F0, 0x00FF0100, 32767), 0x00FFF0F0u);
    // The full weight adds at most 254 to a byte.
    EXPECT_EQ(add_weighted(0, 0x00FFFFFF, 32767), 0x00FEFEFEu);
}

TEST(Blend, SplitPlotDividesTheColourByTheFraction) {
    for (std::uint32_t c = 0; c < 256; ++c)
        for (std::uint32_t f : {0u, 1u, 2u, 32768u, 49151u, 65535u}) {
            std::uint32_t near_pixel = 0x00000005, far_pixel = 0x00000007;
            add_split(near_pixel, far_pixel, c, f);
            const std::uint32_t a = c * (f / 2) / 65536;
            ASSERT_EQ(near_pixel, std::min<std::uint32_t>(255, 5 + 2 * (c / 2 - a))) << c << " " << f;
            ASSERT_EQ(far_pixel, std::min<std::uint32_t>(255, 7 + 2 * a)) << c << " " << f;
        }
}

// ---- plotting primitives -------------------------------------------------

TEST(Primitives, PairsTouchTheirTwoPixelsOnly) {
    MemoryTarget target(8, 8);
    plot_vertical_pair(packed_canvas(target.pixels(), 8, 8), 0xFF, 3, to_fixed_unchecked(4.5), 32767, 16384);
    EXPECT_EQ(target.at(3, 4), 0xFEu);
    EXPECT_EQ(target.at(3, 5), 0x7Eu);  // 2*floor(255*16384/65536) = 2*63
    plot_horizontal_pair(packed_canvas(target.pixels(), 8, 8), 0xFF00, to_fixed_unchecked(1.25), 6, 32767, 0);
    EXPECT_EQ(target.at(1, 6), 0xFE00u);
    EXPECT_EQ(target.at(2, 6), 0u);
    EXPECT_EQ(changed_pixels(target), 3);
}

TEST(Primitives, SpansStepTheMinorPositionAndAlwaysDrawTheirFirstPixel) {
    MemoryTarget target(8, 8);
    span_columns(packed_canvas(target.pixels(), 8, 8), 0x10, 1, 3, to_fixed_unchecked(2.0), fixed_one);  // one row down per column
    EXPECT_EQ(target.at(1, 2), 0x10u);
    EXPECT_EQ(target.at(2, 3), 0x10u);
    EXPECT_EQ(target.at(3, 4), 0x10u);
    EXPECT_EQ(changed_pixels(target), 3);

    MemoryTarget past(8, 8);
    span_rows(packed_canvas(past.pixels(), 8, 8), 0x10, 5, 4, to_fixed_unchecked(2.5), 0);  // first row past the last
    EXPECT_EQ(past.at(2, 5), 0x08u);
    EXPECT_EQ(past.at(3, 5), 0x08u);
    EXPECT_EQ(changed_pixels(past), 2);
}

// ---- whole segments --------------------------------------------------------

TEST(AALineDraw, SegmentLeftOfTheBandDrawsNothingAndNeverLocks) {
    MemoryTarget target(320, 240);
    AALine line = segment(1.9, 10, 0, 200, 0xFFFFFF);
    line.draw(target);
    EXPECT_EQ(target.locks, 0);
    EXPECT_EQ(target.unlocks, 0);
    EXPECT_EQ(changed_pixels(target), 0);
}

TEST(AALineDraw, SegmentMissingTheCornerIsClippedThenDroppedByTheFinalCheck) {
    MemoryTarget target(320, 240);
    AALine line = segment(0, 3, 3, 0, 0xFFFFFF);
    line.draw(target);
    EXPECT_DOUBLE_EQ(line.x0, 1.0);
    EXPECT_DOUBLE_EQ(line.y0, 2.0);
    EXPECT_DOUBLE_EQ(line.x1, 1.0);
    EXPECT_DOUBLE_EQ(line.y1, 2.0);
    EXPECT_EQ(target.locks, 1);
    EXPECT_EQ(target.unlocks, 1);
    EXPECT_EQ(changed_pixels(target), 0);
}

TEST(AALineDraw, HorizontalSegmentOnPixelCentresLightsOneRowEitherWay) {
    for (bool reversed : {false, true}) {
        MemoryTarget target(320, 240);
        AALine line = reversed ? segment(20, 100, 10, 100, 0x00FFAADD) : segment(10, 100, 20, 100, 0x00FFAADD);
        line.draw(target);
        for (int c = 10; c <= 20; ++c) EXPECT_EQ(target.at(c, 100), 0x00FEAADCu) << c;
        EXPECT_EQ(changed_pixels(target), 11) << "row 101 and column 21 stay black";
        EXPECT_EQ(target.locks, 1);
        EXPECT_EQ(target.unlocks, 1);
    }
}

TEST(AALineDraw, DrawingTwiceAddsTwiceUpToSaturation) {
    MemoryTarget target(320, 240);
    for (int i = 0; i < 2; ++i) {
        AALine line = segment(10, 100, 20, 100, 0x00402010);
        line.draw(target);
    }
    EXPECT_EQ(target.at(15, 100), 0x00804020u);
    for (int i = 0; i < 2; ++i) {
        AALine line = segment(10, 100, 20, 100, 0x00FFAADD);
        line.draw(target);
    }
    EXPECT_EQ(target.at(15, 100), 0x00FFFFFFu);
}

TEST(AALineDraw, SegmentWithinOnePixelStepGetsBothEnds) {
    MemoryTarget target(320, 240);
    AALine line = segment(10.25, 50, 10.75, 50, 0x0000FF);
    line.draw(target);
    EXPECT_EQ(target.at(10, 50), 0xBEu);  // first end: gap 49151, weight 24575
    EXPECT_EQ(target.at(11, 50), 0xFFu);  // interior 0xFE plus far end (gap 49152, weight 24575)
    EXPECT_EQ(changed_pixels(target), 2);
}

TEST(AALineDraw, EqualExtentsAreDrawnXMajor) {
    MemoryTarget target(320, 240);
    AALine line = segment(10, 10.5, 20, 20.5, 0x0000FF);
    line.draw(target);
    // x-major: column 10 is split between rows 10 and 11; y-major would have
    // split row 10 between columns 10 and 11 instead.
    EXPECT_NE(target.at(10, 11), 0u);
    EXPECT_EQ(target.at(11, 10), 0u);
}

TEST(AALineDraw, FarEndFirstWeightDiffersBetweenTheAxes) {
    // Colour byte 4 with the far end's f = 0 and gap 32768: the y-major weight
    // floor(65536*32768/131072) = 16384 adds 2*1; the x-major one
    // floor(65535*32768/131072) = 16383 adds 2*0.
    MemoryTarget vertical(320, 240);
    AALine down = segment(50, 10, 50, 20.5, 0x04);
    down.draw(vertical);
    EXPECT_EQ(vertical.at(50, 20), 0x04u);
    EXPECT_EQ(vertical.at(50, 21), 0x02u);

    MemoryTarget horizontal(320, 240);
    AALine across = segment(10, 50, 20.5, 50, 0x04);
    across.draw(horizontal);
    EXPECT_EQ(horizontal.at(20, 50), 0x04u);
    EXPECT_EQ(horizontal.at(21, 50), 0x00u);
}

TEST(AALineDraw, ClipsAtTheRightEdgeAlongTheSegment) {
    MemoryTarget target(320, 240);
    AALine line = segment(300, 100, 340, 120, 0xFFFFFF);
    line.draw(target);
    EXPECT_DOUBLE_EQ(line.x1, 318.0);
    EXPECT_DOUBLE_EQ(line.y1, 109.0);

    MemoryTarget low(320, 240);
    AALine near_bottom = segment(300, 236, 340, 240, 0xFFFFFF);
    near_bottom.draw(low);
    EXPECT_DOUBLE_EQ(near_bottom.x1, 318.0);
    EXPECT_NEAR(near_bottom.y1, 237.8, 1e-12);
    for (int c = 300; c <= 318; ++c) EXPECT_TRUE(column_lit(low, c)) << c;
    EXPECT_FALSE(column_lit(low, 299));
    EXPECT_FALSE(column_lit(low, 319));
}

TEST(AALineDraw, ClipsAtTheTopAndLeftAndKeepsTheSlope) {
    MemoryTarget target(320, 240);
    AALine line = segment(-10, 50, 30, -30, 0xFFFFFF);  // slope -2: y-major
    line.draw(target);
    // Ordered by y, then y0 = -30 clipped to 2 (x = 14), x = -10 end clipped to x = 2 (y = 26).
    EXPECT_DOUBLE_EQ(line.y0, 2.0);
    EXPECT_DOUBLE_EQ(line.x0, 14.0);
    EXPECT_DOUBLE_EQ(line.x1, 2.0);
    EXPECT_DOUBLE_EQ(line.y1, 26.0);
    EXPECT_NE(target.at(14, 2), 0u);
    EXPECT_NE(target.at(2, 26), 0u);
}

// ---- faults mended ---------------------------------------------------------

TEST(AALineFaults, NonFiniteCoordinatesDrawNothingAndNeverLock) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double bad : {nan, inf, -inf})
        for (int which = 0; which < 4; ++which) {
            double v[4] = {10, 20, 100, 120};
            v[which] = bad;
            MemoryTarget target(320, 240);
            AALine line = segment(v[0], v[1], v[2], v[3], 0xFFFFFF);
            line.draw(target);
            EXPECT_EQ(target.locks, 0) << bad << " at " << which;
            EXPECT_EQ(changed_pixels(target), 0);
        }
}

TEST(AALineFaults, HorizontalSegmentOnTheLowerBandEdgeIsDrawnOnIt) {
    MemoryTarget target(320, 240);
    AALine line = segment(10, 238, 20, 238, 0x00FFAADD);
    line.draw(target);
    EXPECT_DOUBLE_EQ(line.y0, 238.0);  // no 0*dx/0 move
    EXPECT_DOUBLE_EQ(line.y1, 238.0);
    for (int c = 10; c <= 20; ++c) EXPECT_EQ(target.at(c, 238), 0x00FEAADCu) << c;
    EXPECT_EQ(changed_pixels(target), 11);
    EXPECT_TRUE(target.guards_intact());
}

TEST(AALineFaults, VerticalSegmentOnTheRightBandEdgeIsDrawnOnIt) {
    MemoryTarget target(320, 240);
    AALine line = segment(318, 50, 318, 60, 0x00FFAADD);
    line.draw(target);
    EXPECT_DOUBLE_EQ(line.x0, 318.0);
    EXPECT_DOUBLE_EQ(line.x1, 318.0);
    for (int r = 50; r <= 60; ++r) EXPECT_EQ(target.at(318, r), 0x00FEAADCu) << r;
    EXPECT_EQ(changed_pixels(target), 11);
}

TEST(AALineFaults, FarEndOnTheLowerEdgeWithZeroWeightsIsSkipped) {
    // Slope 1 clipped to end at (138, 238), x1 integral: the far pair one
    // column on would address rows 239 and 240. The exact-size target lets
    // AddressSanitizer see such an access.
    MemoryTarget target(320, 240, 0, 0);
    AALine line = segment(100, 200, 150, 250, 0xFFFFFF);
    line.draw(target);
    EXPECT_DOUBLE_EQ(line.x1, 138.0);
    EXPECT_NE(target.at(138, 238), 0u);
    EXPECT_EQ(target.at(139, 239), 0u);
    MemoryTarget steep(320, 240, 0, 0);
    AALine down = segment(150, 230, 200, 238, 0xFFFFFF);
    down.draw(steep);
    EXPECT_NE(steep.at(200, 238), 0u);
    MemoryTarget right(320, 240, 0, 0);
    AALine side = segment(300, 100, 318, 110, 0xFFFFFF);
    side.draw(right);
    EXPECT_NE(right.at(318, 110), 0u);
}

TEST(AALineFaults, CoincidentEndsOnTheBandEdgesStayInsideTheTarget) {
    const double corners[][2] = {{318, 100}, {100, 238}, {318, 238}, {2, 2}, {317.5, 237.5}, {318, 2}};
    for (const auto& p : corners) {
        MemoryTarget target(320, 240);
        AALine dot = segment(p[0], p[1], p[0], p[1], 0xFFFFFF);
        dot.draw(target);
        EXPECT_TRUE(target.guards_intact()) << p[0] << "," << p[1];
        EXPECT_NE(target.at(static_cast<int>(std::ceil(p[0])), static_cast<int>(p[1])), 0u) << p[0] << "," << p[1];
        for (int r = 0; r < 240; ++r) EXPECT_EQ(target.at(0, r), 0u);
    }
}

TEST(AALineFaults, SmallTargetsHaveATinyOrEmptyBand) {
    for (int size : {1, 2, 3, 4, 5}) {
        MemoryTarget target(size, size);
        AALine line = segment(0, 0, size, size, 0xFFFFFF);
        line.draw(target);
        AALine dot = segment(2, 2, 2, 2, 0xFFFFFF);
        dot.draw(target);
        EXPECT_TRUE(target.guards_intact()) << size;
        EXPECT_EQ(target.locks, target.unlocks);
    }
}
