// The scalar field and the contour extraction over it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "contours.h"
#include "field.h"

namespace {

const float* flat_field() { return &field[0][0][0]; }

struct Found {
    Vector from, to;
    std::uint32_t color;
};

std::vector<Found> extract_all(double threshold, std::uint32_t color) {
    std::vector<Found> found;
    extract_contours(threshold, color, [&](const Vector& a, const Vector& b, std::uint32_t c) {
        found.push_back({a, b, c});
    });
    return found;
}

void expect_point(const Vector& got, double x, double y, double z, double tolerance = 1e-6) {
    EXPECT_NEAR(got.x, x, tolerance);
    EXPECT_NEAR(got.y, y, tolerance);
    EXPECT_NEAR(got.z, z, tolerance);
}

// Sets the four corners of cell (x, y) in slice z.
void set_cell(int x, int y, int z, float f00, float f10, float f01, float f11) {
    field[x][y][z] = f00;
    field[x + 1][y][z] = f10;
    field[x][y + 1][z] = f01;
    field[x + 1][y + 1][z] = f11;
}

}  // namespace

// ---- field ---------------------------------------------------------------

TEST(Field, ClearSetsEverySampleToZero) {
    for (int i = 0; i < 32768; ++i) const_cast<float*>(flat_field())[i] = 1.5f;
    clear_field();
    for (int i = 0; i < 32768; ++i) ASSERT_EQ(flat_field()[i], 0.0f) << i;
}

TEST(Field, IndexOrderHasZFastest) {
    clear_field();
    field[31][0][0] = 1.0f;
    field[0][0][31] = 2.0f;
    field[0][31][0] = 3.0f;
    EXPECT_EQ(flat_field()[31 * 1024], 1.0f);
    EXPECT_EQ(flat_field()[31], 2.0f);
    EXPECT_EQ(flat_field()[31 * 32], 3.0f);
}

TEST(Field, BallOnAGridPointGivesOneHundredTimesItsStrengthThere) {
    clear_field();
    add_ball(16, 16, 16, 1.0f);
    EXPECT_EQ(field[16][16][16], 100.0f);
    const float neighbour = static_cast<float>(1.0 / 1.01);
    EXPECT_EQ(field[15][16][16], neighbour);
    EXPECT_EQ(field[17][16][16], neighbour);
    EXPECT_EQ(field[16][15][16], neighbour);
    EXPECT_EQ(field[16][17][16], neighbour);
    EXPECT_EQ(field[16][16][15], neighbour);
    EXPECT_EQ(field[16][16][17], neighbour);
}

TEST(Field, ArgumentsGoWithXYZInThatOrder) {
    clear_field();
    add_ball(3, 7, 11, 1.0f);
    EXPECT_EQ(field[3][7][11], 100.0f);
}

TEST(Field, BallFarOutsideStillReachesEverySample) {
    clear_field();
    add_ball(-50, 0, 0, 1.0f);
    for (int i = 0; i < 32768; ++i) ASSERT_GT(flat_field()[i], 0.0f) << i;
    EXPECT_EQ(field[0][0][0], static_cast<float>(1.0 / (0.01 + 2500.0)));
}

TEST(Field, ZeroStrengthChangesNothingAndBallsAddUp) {
    clear_field();
    add_ball(10, 12, 14, 1.0f);
    std::vector<float> one(flat_field(), flat_field() + 32768);
    add_ball(20, 5, 3, 0.0f);
    EXPECT_EQ(0, std::memcmp(one.data(), flat_field(), sizeof(float) * 32768));
    add_ball(20, 5, 3, 2.0f);
    // Each sample: the stored float plus the new contribution, rounded once.
    const double d2 = (9 - 3.0) * (9 - 3.0) + ((1 - 20.0) * (1 - 20.0) + (2 - 5.0) * (2 - 5.0));
    EXPECT_EQ(field[1][2][9], static_cast<float>(one[1 * 1024 + 2 * 32 + 9] + 2.0f / (0.01 + d2)));
}

// ---- a single cell ----------------------------------------------------------

TEST(ContourCell, EveryCaseDrawsTheSegmentsOfTheTable) {
    // Corners above T hold 0.05 and the others 0.01, so every edge point sits
    // at the middle of its edge: S (0.5, 0), W (0, 0.5), N (0.5, 1), E (1, 0.5).
    const Vector S{0.5, 0, 0}, W{0, 0.5, 0}, N{0.5, 1, 0}, E{1, 0.5, 0};
    struct Expected {
        int count;
        Vector a, b, c, d;
    };
    const Expected table[16] = {
        {0, {}, {}, {}, {}}, {1, S, W, {}, {}}, {1, S, E, {}, {}}, {1, W, E, {}, {}},
        {1, N, W, {}, {}},   {1, S, N, {}, {}}, {2, S, W, N, E},   {1, N, E, {}, {}},
        {1, N, E, {}, {}},   {2, S, W, N, E},   {1, S, N, {}, {}}, {1, N, W, {}, {}},
        {1, W, E, {}, {}},   {1, S, E, {}, {}}, {1, S, W, {}, {}}, {0, {}, {}, {}, {}},
    };
    for (int code = 0; code < 16; ++code) {
        SCOPED_TRACE("case " + std::to_string(code));
        clear_field();
        auto corner = [&](int bit) { return (code & bit) ? 0.05f : 0.01f; };
        set_cell(0, 0, 0, corner(1), corner(2), corner(4), corner(8));
        ContourSegment found[2];
        const int count = contour_cell(0, 0, 0, 0.03, found);
        ASSERT_EQ(count, table[code].count);
        if (count >= 1) {
            expect_point(found[0].from, table[code].a.x, table[code].a.y, 0, 1e-6);
            expect_point(found[0].to, table[code].b.x, table[code].b.y, 0, 1e-6);
        }
        if (count == 2) {
            expect_point(found[1].from, table[code].c.x, table[code].c.y, 0, 1e-6);
            expect_point(found[1].to, table[code].d.x, table[code].d.y, 0, 1e-6);
        }
    }
}

TEST(ContourCell, SampleEqualToTheThresholdCountsAsBelow) {
    clear_field();
    set_cell(4, 5, 6, 0.25f, 0.0f, 0.0f, 0.0f);
    ContourSegment found[2];
    EXPECT_EQ(contour_cell(4, 5, 6, 0.25, found), 0);
    // Compared as doubles: just below the float's own value it is above,
    // although as floats the two would be equal.
    const double just_below = std::nextafter(static_cast<double>(0.03f), 0.0);
    set_cell(4, 5, 6, 0.03f, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(contour_cell(4, 5, 6, just_below, found), 1);
    EXPECT_EQ(contour_cell(4, 5, 6, 0.03f, found), 0);
}

TEST(ContourCell, EdgePointsInterpolateTheSamplesInGridSpace) {
    clear_field();
    set_cell(7, 9, 12, 0.05f, 0.01f, 0.01f, 0.01f);
    ContourSegment found[2];
    ASSERT_EQ(contour_cell(7, 9, 12, 0.03, found), 1);
    expect_point(found[0].from, 7.5, 9, 12);
    expect_point(found[0].to, 7, 9.5, 12);

    set_cell(7, 9, 12, 0.10f, 0.00f, 0.01f, 0.01f);  // S at 0.07/0.1 along x
    ASSERT_EQ(contour_cell(7, 9, 12, 0.03, found), 1);
    const double f00 = 0.10f, f10 = 0.0f, f01 = 0.01f;
    EXPECT_EQ(found[0].from.x, 7 + (f00 - 0.03) / (f00 - f10));
    EXPECT_EQ(found[0].to.y, 9 + (f00 - 0.03) / (f00 - f01));
}

TEST(ContourCell, DiagonalCaseSixCutsOffCornersZeroAndThree) {
    clear_field();
    set_cell(2, 3, 4, 0.01f, 0.05f, 0.05f, 0.01f);
    ContourSegment found[2];
    ASSERT_EQ(contour_cell(2, 3, 4, 0.03, found), 2);
    expect_point(found[0].from, 2.5, 3, 4);
    expect_point(found[0].to, 2, 3.5, 4);
    expect_point(found[1].from, 2.5, 4, 4);
    expect_point(found[1].to, 3, 3.5, 4);
}

// ---- whole passes ---------------------------------------------------------

TEST(ExtractContours, EmptyOrFullFieldDrawsNothing) {
    clear_field();
    EXPECT_TRUE(extract_all(0.03, 1).empty());
    for (int i = 0; i < 32768; ++i) const_cast<float*>(flat_field())[i] = 1.0f;
    EXPECT_TRUE(extract_all(0.03, 1).empty());
}

TEST(ExtractContours, VisitsYThenSliceThenXAndPassesTheColour) {
    // Three single raised samples, each making a small diamond of four
    // segments; the order of the diamonds follows y, then z, then x.
    clear_field();
    field[5][2][3] = 1.0f;   // y 2 (first)
    field[1][9][0] = 1.0f;   // y 9, z 0 (second)
    field[20][9][4] = 1.0f;  // y 9, z 4 (third)
    const std::vector<Found> found = extract_all(0.5, 0x123456);
    ASSERT_EQ(found.size(), 12u);
    for (const Found& f : found) EXPECT_EQ(f.color, 0x123456u);
    // y 1 and 2 of the first; then for y 8 and again for y 9: slice 0
    // before slice 4.
    const double slices[12] = {3, 3, 3, 3, 0, 0, 4, 4, 0, 0, 4, 4};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(found[i].from.z, slices[i]) << i;
    EXPECT_EQ(found[0].from.y, 2.0);  // cell (4, 1): only its corner c3 is raised, N -> E
    EXPECT_EQ(found[2].from.y, 2.0);  // cell (4, 2): corner c1, S -> E
    // Within a row of cells x grows: cell (0, 8) before cell (1, 8).
    EXPECT_LT(found[4].from.x, found[5].from.x);
}

TEST(ExtractContours, TheLastSliceIsNeverCutButTheLastRowAndColumnAre) {
    clear_field();
    field[10][10][31] = 1.0f;
    EXPECT_TRUE(extract_all(0.5, 1).empty());
    clear_field();
    field[31][31][5] = 1.0f;  // corner c3 of cell (30, 30)
    const std::vector<Found> found = extract_all(0.5, 1);
    ASSERT_EQ(found.size(), 1u);
    expect_point(found[0].from, 30.5, 31, 5);  // N -> E
    expect_point(found[0].to, 31, 30.5, 5);
}

TEST(ExtractContours, OneBallGivesRingsOfTheExpectedRadius) {
    clear_field();
    add_ball(16, 16, 16, 1.0f);
    double smallest = 1e9, largest = 0;
    for (const Found& f : extract_all(0.03, 1)) {
        if (f.from.z != 16.0) continue;
        const double r = std::hypot(f.from.x - 16, f.from.y - 16);
        smallest = std::min(smallest, r);
        largest = std::max(largest, r);
    }
    // 1/(0.01 + r^2) = 0.03 at r = 5.77; linear interpolation bends it a little.
    EXPECT_GT(smallest, 5.4);
    EXPECT_LT(largest, 6.1);
}
