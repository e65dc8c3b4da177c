// Vector and Matrix, the projection, and draw_segment filling the record.
#include <gtest/gtest.h>

#include <cmath>

#include "demo.h"
#include "memory_target.h"
#include "segment.h"
#include "transform.h"

namespace {

const double half_pi = std::acos(0.0);

void expect_near(const Vector& got, double x, double y, double z) {
    EXPECT_NEAR(got.x, x, 1e-12);
    EXPECT_NEAR(got.y, y, 1e-12);
    EXPECT_NEAR(got.z, z, 1e-12);
}

void expect_identity(const Matrix& m) {
    const double values[12] = {m.r00, m.r01, m.r02, m.r10, m.r11, m.r12, m.r20, m.r21, m.r22, m.t0, m.t1, m.t2};
    const double identity[12] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(values[i], identity[i]) << i;
}

}  // namespace

TEST(Matrix, RotationsByZeroAreExactlyTheIdentity) {
    Matrix m;
    m.set_rotation_x(0);
    expect_identity(m);
    m.set_rotation_y(0);
    expect_identity(m);
    m.set_rotation_z(0);
    expect_identity(m);
}

TEST(Matrix, SetOperationsOverwriteEverything) {
    Matrix m;
    m.set_rotation_z(1.0);
    m.set_translation({1, 2, 3});
    EXPECT_EQ(m.r00, 1.0);
    EXPECT_EQ(m.r01, 0.0);
    EXPECT_EQ(m.t2, 3.0);
    m.set_rotation_x(0);
    expect_identity(m);
}

TEST(Matrix, QuarterTurnsMapTheAxes) {
    Matrix m;
    m.set_rotation_x(half_pi);
    expect_near(m.transform_point({0, 1, 0}), 0, 0, -1);
    expect_near(m.transform_point({0, 0, 1}), 0, 1, 0);
    m.set_rotation_y(half_pi);
    expect_near(m.transform_point({1, 0, 0}), 0, 0, 1);
    expect_near(m.transform_point({0, 0, 1}), -1, 0, 0);
    m.set_rotation_z(half_pi);
    expect_near(m.transform_point({1, 0, 0}), 0, -1, 0);
    expect_near(m.transform_point({0, 1, 0}), 1, 0, 0);
}

TEST(Matrix, ComposeAppliesThisFirstThenTheOther) {
    Matrix a, b;
    a.set_translation({-16, -16, -16});
    b.set_translation({0, 0, 30});
    a.compose(b);
    const Vector p = a.transform_point({16, 16, 16});
    EXPECT_EQ(p.x, 0.0);
    EXPECT_EQ(p.y, 0.0);
    EXPECT_EQ(p.z, 30.0);

    Matrix shift, turn;
    shift.set_translation({1, 0, 0});
    turn.set_rotation_z(half_pi);
    shift.compose(turn);
    expect_near(shift.transform_point({0, 0, 0}), 0, -1, 0);  // translate, then rotate

    shift.set_translation({1, 0, 0});
    turn.compose(shift);
    expect_near(turn.transform_point({0, 0, 0}), 1, 0, 0);  // rotate, then translate
}

TEST(Matrix, ComposeWithIdentityChangesNothingAndWithItselfSquares) {
    Matrix m, identity, copy;
    m.set_rotation_y(0.7);
    Matrix t;
    t.set_translation({3, -2, 5});
    m.compose(t);
    copy = m;
    identity.set_identity();
    m.compose(identity);
    EXPECT_EQ(m.r02, copy.r02);
    EXPECT_EQ(m.r20, copy.r20);
    EXPECT_EQ(m.t0, copy.t0);
    EXPECT_EQ(m.t2, copy.t2);

    // Composing a matrix with itself reads every value before storing any.
    Matrix squared = copy, other = copy;
    squared.compose(squared);
    Matrix expected = copy;
    expected.compose(other);
    EXPECT_EQ(squared.r00, expected.r00);
    EXPECT_EQ(squared.r22, expected.r22);
    EXPECT_EQ(squared.t0, expected.t0);
    EXPECT_EQ(squared.t2, expected.t2);
}

TEST(Matrix, TransformPointAddsTheTranslationLast) {
    Matrix m;
    m.set_identity();
    m.r00 = 2, m.r01 = 3, m.r02 = 4, m.t0 = 5;
    m.r10 = -1, m.r21 = 0.5, m.t2 = -7;
    const Vector p = m.transform_point({1, 10, 100});
    EXPECT_EQ(p.x, 2 + 30 + 400 + 5);
    EXPECT_EQ(p.y, -1 + 10);
    EXPECT_EQ(p.z, 5 + 100 - 7);
}

// ---- projection ---------------------------------------------------------

TEST(Projection, PointsOnTheAxisLandOnTheScreenCentre) {
    for (double z : {0.5, 2.0, 30.0, 1e6}) {
        const ScreenPoint s = project({0, 0, z});
        EXPECT_EQ(s.x, 160.0);
        EXPECT_EQ(s.y, 120.0);
    }
    EXPECT_EQ(project({5, 0, 5}).x, 416.0);
    EXPECT_EQ(project({0, -10, 20}).y, 120.0 - 128.0);
}

TEST(Projection, FrameTransformAtTimeZeroIsAPureTranslation) {
    Matrix m;
    build_frame_transform(0.0, m);
    const ScreenPoint centre = project(m.transform_point({16, 16, 16}));
    EXPECT_EQ(centre.x, 160.0);
    EXPECT_EQ(centre.y, 120.0);
    const ScreenPoint right = project(m.transform_point({17, 16, 16}));
    EXPECT_EQ(right.x, 160.0 + 256.0 / 30.0);
    EXPECT_EQ(right.y, 120.0);
}

TEST(Projection, FrameTransformRotatesAboutXThenYThenZ) {
    const double t = 0.9;
    Matrix built, expected, step;
    build_frame_transform(t, built);
    expected.set_translation({-16, -16, -16});
    step.set_rotation_x(t);
    expected.compose(step);
    step.set_rotation_y(t);
    expected.compose(step);
    step.set_rotation_z(t);
    expected.compose(step);
    step.set_translation({0, 0, 30});
    expected.compose(step);
    const Vector a = built.transform_point({3, 20, 9}), b = expected.transform_point({3, 20, 9});
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    EXPECT_EQ(a.z, b.z);
    // Every grid point stays more than 2 units in front of the viewer.
    EXPECT_GT(built.transform_point({0, 0, 0}).z, 2.0);
    EXPECT_GT(built.transform_point({31, 31, 31}).z, 2.0);
}

// ---- draw_segment ---------------------------------------------------------

TEST(DrawSegment, FillsEveryFieldOfTheRecordBeforeDrawing) {
    Matrix m;
    build_frame_transform(0.0, m);
    MemoryTarget target(320, 240);
    AALine line{-1, -1, -1, -1, 0};
    SegmentPainter painter{m, target, line};
    painter.draw_segment({16, 16, 16}, {16, 18, 16}, 0x00ABCDEF);
    EXPECT_EQ(line.x0, 160.0);
    EXPECT_EQ(line.y0, 120.0);
    EXPECT_EQ(line.x1, 160.0);
    EXPECT_EQ(line.y1, 120.0 + 512.0 / 30.0);
    EXPECT_EQ(line.color, 0x00ABCDEFu);
    EXPECT_EQ(target.locks, 1);
    EXPECT_NE(target.at(160, 125), 0u);
}

TEST(DrawSegment, CoincidentEndsAreStillHandedToTheRasterizer) {
    Matrix m;
    build_frame_transform(0.0, m);
    MemoryTarget target(320, 240);
    AALine line{};
    SegmentPainter painter{m, target, line};
    painter.draw_segment({16, 16, 16}, {16, 16, 16}, 0xFF);
    EXPECT_EQ(target.locks, 1);
    EXPECT_EQ(target.at(160, 120), 0xFEu);
}
