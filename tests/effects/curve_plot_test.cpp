#include "curve_plot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "effects_test_support.h"

namespace {

constexpr std::uint32_t white = 0x00FFFFFF;
constexpr std::uint32_t black = 0x00000000;
constexpr std::uint32_t floral = 0x00FFFAF0;

Fixed fx(double v) { return to_fixed_saturating(v); }

void splat(GuardedFrame& f, double x, double y, std::uint32_t color) {
    plot_aa_segment(f.canvas(), fx(x), fx(y), fx(x), fx(y), color);
}

TEST(ToFixed, TruncatesTowardZeroAndSaturates) {
    EXPECT_EQ(to_fixed_saturating(10.5), 0x000A8000);
    EXPECT_EQ(to_fixed_saturating(20.25), 0x00144000);
    EXPECT_EQ(to_fixed_saturating(1.0 / 65536 * 0.99), 0);
    EXPECT_EQ(to_fixed_saturating(-1.0 / 65536 * 0.99), 0);   // toward zero, not down
    EXPECT_EQ(to_fixed_saturating(-1.5), -0x18000);
    EXPECT_EQ(to_fixed_saturating(1e12), std::numeric_limits<Fixed>::max());
    EXPECT_EQ(to_fixed_saturating(-1e12), std::numeric_limits<Fixed>::min());
    EXPECT_EQ(to_fixed_saturating(std::nan("")), std::numeric_limits<Fixed>::min());
    EXPECT_EQ(fixed_floor(to_fixed_saturating(-0.25)), -1);  // floor, not truncation, of the pixel
    EXPECT_EQ(fixed_fraction(-0x4000), 0xC000u);
}

TEST(Splat, WeightsAtHalfAndQuarterPixel) {
    const SplatWeights w = splat_weights(0x8000, 0x4000);
    EXPECT_EQ(w.top_left, 0x5FFEu);
    EXPECT_EQ(w.top_right, 0x5FFFu);
    EXPECT_EQ(w.bottom_right, 0x2000u);
    EXPECT_EQ(w.bottom_left, 0x1FFFu);
    const SplatWeights whole = splat_weights(0, 0);
    EXPECT_EQ(whole.top_left, 0xFFFEu);
    EXPECT_EQ(whole.top_right + whole.bottom_right + whole.bottom_left, 0u);
}

TEST(Splat, BlendNeitherRoundsNorSaturates) {
    EXPECT_EQ(blend_splat_pixel(black, white, 0xFFFE), 0x00FEFEFEu);
    EXPECT_EQ(blend_splat_pixel(floral, black, 0xFFFE), 0x00000000u);
    EXPECT_EQ(blend_splat_pixel(floral, black, 0), 0x00FEF9EFu);  // weight 0 still darkens
    EXPECT_EQ(blend_splat_pixel(0x00FDFDFD, white, 0xFFFE), 0x00FEFEFEu);
    EXPECT_EQ(blend_splat_pixel(0x00FFFFFF, white, 0xFFFE), 0x00FEFEFEu);  // even white over white
    EXPECT_EQ(blend_splat_pixel(0xFF000000, black, 0), 0x00000000u);  // top byte cleared
}

TEST(Splat, HalfAndQuarterPixelWhiteOverBlack) {
    GuardedFrame f;
    plot_aa_segment(f.canvas(), 0x000A8000, 0x00144000, 0x000A8000, 0x00144000, white);
    EXPECT_EQ(f.at(10, 20), 0x005F5F5Fu);
    EXPECT_EQ(f.at(11, 20), 0x005F5F5Fu);
    EXPECT_EQ(f.at(11, 21), 0x001F1F1Fu);
    EXPECT_EQ(f.at(10, 21), 0x001F1F1Fu);
    GuardedFrame blank;
    const Box box = changed_box(blank.pixels(), f.pixels());
    EXPECT_EQ(box.x0, 10);
    EXPECT_EQ(box.y0, 20);
    EXPECT_EQ(box.x1, 11);
    EXPECT_EQ(box.y1, 21);
}

TEST(Splat, IntegerPositionRewritesZeroWeightNeighbours) {
    GuardedFrame f(floral);
    splat(f, 30.0, 40.0, black);
    EXPECT_EQ(f.at(30, 40), 0x00000000u);
    EXPECT_EQ(f.at(31, 40), 0x00FEF9EFu);
    EXPECT_EQ(f.at(31, 41), 0x00FEF9EFu);
    EXPECT_EQ(f.at(30, 41), 0x00FEF9EFu);
    EXPECT_EQ(f.at(29, 40), floral);
    EXPECT_EQ(f.at(32, 40), floral);
    GuardedFrame dark;
    splat(dark, 30.0, 40.0, white);
    EXPECT_EQ(dark.at(30, 40), 0x00FEFEFEu);
}

TEST(Segment, CloserThanHalfAPixelIsOneSplatAtTheStart) {
    GuardedFrame one, seg;
    splat(one, 10.5, 20.25, white);
    plot_aa_segment(seg.canvas(), fx(10.5), fx(20.25), fx(10.5 + 0.49), fx(20.25 - 0.49), white);
    EXPECT_EQ(frame_hash(one.pixels()), frame_hash(seg.pixels()));
}

TEST(Segment, HorizontalTenPixelsHasTwentyOneSamplesAndStopsShortOfTheEnd) {
    GuardedFrame f;
    plot_aa_segment(f.canvas(), fx(10.0), fx(20.0), fx(20.0), fx(20.0), white);
    // Samples 31207/65536 apart: the last two, at 19.047 and 19.524
    // (x = 0x130C25, 0x13860C), light (20, 20) with weights 0x0C24 and 0x860B:
    // 0x0C, then 0x8B. With 20 samples or a sampled end point it would differ.
    EXPECT_EQ(f.at(20, 20), 0x008B8B8Bu);
    EXPECT_EQ(f.at(21, 20), 0u);
    EXPECT_EQ(f.at(9, 20), 0u);
    EXPECT_EQ(f.at(10, 20), 0x00FEFEFEu);  // first sample at an exact pixel, later ones to its right
    for (int x = 9; x <= 21; ++x) EXPECT_EQ(f.at(x, 21), 0u) << "fy = 0 gives row 21 weight 0";
}

TEST(Segment, DrawsBackwardsAndSteepAlike) {
    constexpr std::uint32_t grey = 0x00404040;  // so weight-0 rewrites show
    GuardedFrame down(grey), up(grey), blank(grey);
    plot_aa_segment(down.canvas(), fx(50.0), fx(10.0), fx(53.0), fx(90.0), white);
    plot_aa_segment(up.canvas(), fx(53.0), fx(90.0), fx(50.0), fx(10.0), white);
    // 161 samples 32564/65536 rows apart. Down: from the exact start (50, 10)
    // to the last sample at (52.98, 89.50); the end (53, 90) is not sampled.
    const Box a = changed_box(blank.pixels(), down.pixels());
    EXPECT_EQ(a.x0, 50);
    EXPECT_EQ(a.y0, 10);
    EXPECT_EQ(a.x1, 53);
    EXPECT_EQ(a.y1, 90);
    // Up: the exact start (53, 90) rewrites (54, 90 ... 91) with weight 0; the
    // last sample is at (50.02, 10.50).
    const Box b = changed_box(blank.pixels(), up.pixels());
    EXPECT_EQ(b.x0, 50);
    EXPECT_EQ(b.y0, 10);
    EXPECT_EQ(b.x1, 54);
    EXPECT_EQ(b.y1, 91);
}

TEST(Segment, AtTheLastColumnAndRowNeverLeavesTheFrame) {
    // 319.0 and 199.0 pass the Bezier bounds test; their splats' zero-weight
    // right and lower pixels would lie in column 320 (the next row's first
    // pixel) and row 200 (past the buffer). Those are skipped.
    GuardedFrame f(floral);
    splat(f, 319.0, 199.0, black);
    EXPECT_TRUE(f.guards_intact());
    EXPECT_EQ(f.at(319, 199), 0u);
    splat(f, 319.0, 100.0, black);
    EXPECT_EQ(f.at(319, 100), 0u);
    EXPECT_EQ(f.at(319, 101), 0x00FEF9EFu);  // inside: drawn as always
    EXPECT_EQ(f.at(0, 101), floral) << "column 320 must not wrap into the next row";
    splat(f, 100.0, 199.0, black);
    EXPECT_EQ(f.at(101, 199), 0x00FEF9EFu);
    EXPECT_TRUE(f.guards_intact());
}

TEST(Checkerboard, CornersAndSquares) {
    constexpr std::uint32_t a = 0x00123456, b = 0x00ABCDEF;
    GuardedFrame f;
    fill_checkerboard(f.canvas(), a, b);
    EXPECT_EQ(f.at(0, 0), b);
    EXPECT_EQ(f.at(8, 8), b);
    EXPECT_EQ(f.at(8, 0), a);
    EXPECT_EQ(f.at(0, 8), a);
    EXPECT_EQ(f.at(7, 7), b);
    EXPECT_EQ(f.at(319, 199), a);
    int count_a = 0;
    for (int i = 0; i < frame_pixels; ++i) count_a += f.pixels()[i] == a;
    EXPECT_EQ(count_a, frame_pixels / 2);
    EXPECT_TRUE(f.guards_intact());
}

struct Pieces {
    std::vector<double> from, to;
};
Pieces pieces_of(const BezierSettings& s) {
    Pieces p;
    for_each_bezier_piece(s, [&](double a, double b) {
        p.from.push_back(a);
        p.to.push_back(b);
    });
    return p;
}

TEST(BezierPieces, CurvesDraws199StoppingAt0995) {
    const Pieces p = pieces_of(curves_bezier);
    ASSERT_EQ(p.to.size(), 199u);
    EXPECT_EQ(p.from.front(), 0.0);
    EXPECT_EQ(p.to.front(), 0.005);
    EXPECT_NEAR(p.to.back(), 0.995, 1e-12);
    for (std::size_t i = 1; i < p.to.size(); ++i) EXPECT_EQ(p.from[i], p.to[i - 1]);
}

TEST(BezierPieces, SplinesDraw20EndingAtExactlyOne) {
    const Pieces p = pieces_of(spline_bezier);
    ASSERT_EQ(p.to.size(), 20u);
    EXPECT_NEAR(p.from.back(), 0.95, 1e-12);
    EXPECT_EQ(p.to.back(), 1.0);
    EXPECT_GT(p.to[p.to.size() - 2], 0.9);
}

TEST(BezierPieces, NonPositiveStepGivesNoPieces) {
    EXPECT_TRUE(pieces_of({0.0, BezierEndRule::finish_at_one, 0}).to.empty());
    EXPECT_TRUE(pieces_of({-0.1, BezierEndRule::while_at_most_one, 0}).to.empty());
    EXPECT_TRUE(pieces_of({std::nan(""), BezierEndRule::finish_at_one, 0}).to.empty());
}

// Along y = 100 with x = -20 + 220 t (a straight quadratic), the pieces
// start at x = -20 + 1.1 k.
TEST(Bezier, StartLeftOfColumnZeroLosesOnlyPiecesWithANegativeEnd) {
    GuardedFrame f;
    draw_quadratic_bezier(f.canvas(), {200.0, 100.0}, {-20.0, 100.0}, {90.0, 100.0}, curves_bezier);
    EXPECT_TRUE(f.guards_intact());
    // The piece from -0.2 to 0.9 is skipped; the first one drawn starts at
    // 0.9, which gives (0, 100) only a tenth of a pixel: about 0x19.
    EXPECT_GT(f.at(0, 100), 0u);
    EXPECT_LT(red(f.at(0, 100)), 0x30u);
    EXPECT_GE(red(f.at(5, 100)), 0xF0u);
    EXPECT_GE(red(f.at(150, 100)), 0xF0u);
    // The last piece ends at t = 0.995, x = 198.9: the stretch to 200 is not drawn.
    EXPECT_EQ(f.at(200, 100), 0u);
    EXPECT_EQ(f.at(100, 99), 0u);
}

TEST(Bezier, FinishAtOneDrawsUpToTheEndPoint) {
    GuardedFrame f;
    const BezierSettings white_splines{spline_bezier.step, spline_bezier.end_rule, white};
    draw_quadratic_bezier(f.canvas(), {200.0, 100.0}, {-20.0, 100.0}, {90.0, 100.0}, white_splines);
    // The final piece runs to exactly x = 200; its last sample lights (200, 100) partly.
    EXPECT_GT(f.at(200, 100), 0u);
    EXPECT_EQ(f.at(201, 100), 0u);
    // Pieces of 11 pixels: the one from -20 to -9 and the one from -9 to 2 are skipped.
    EXPECT_EQ(f.at(0, 100), 0u);
    EXPECT_GE(red(f.at(3, 100)), 0xF0u);
}

TEST(Bezier, NothingOutsideTheBoundsIsDrawn) {
    GuardedFrame f;
    GuardedFrame blank;
    draw_quadratic_bezier(f.canvas(), {330.0, 50.0}, {320.5, 10.0}, {400.0, 30.0}, curves_bezier);
    draw_quadratic_bezier(f.canvas(), {50.0, -1.0}, {150.0, -30.0}, {100.0, -50.0}, curves_bezier);
    draw_quadratic_bezier(f.canvas(), {50.0, 260.0}, {150.0, 199.5}, {100.0, 230.0}, spline_bezier);
    EXPECT_TRUE(changed_box(blank.pixels(), f.pixels()).empty());
    // Exactly at the limits is inside.
    draw_quadratic_bezier(f.canvas(), {319.0, 199.0}, {319.0, 199.0}, {319.0, 199.0}, curves_bezier);
    EXPECT_GT(f.at(319, 199), 0u);
    EXPECT_TRUE(f.guards_intact());
}

}  // namespace
