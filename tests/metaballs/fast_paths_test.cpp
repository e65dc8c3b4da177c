// The fast paths of fennick against their plain references, bit for bit:
// the sample classification, the contour pass that skips uniform cells, and
// the four-lane pixel blends.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "aaline.h"
#include "contours.h"
#include "demo.h"
#include "field.h"
#include "pixel_lanes.h"
#include "simd_scalar.h"
#include "simd_select.h"

namespace {

struct Found {
    Vector from, to;
    std::uint32_t color;
    bool operator==(const Found& o) const {
        return std::memcmp(&from, &o.from, sizeof from) == 0 && std::memcmp(&to, &o.to, sizeof to) == 0 &&
               color == o.color;
    }
};

template <class Pass>
std::vector<Found> segments_of(Pass pass, double threshold) {
    std::vector<Found> out;
    pass(threshold, 0x107040u, [&](const Vector& a, const Vector& b, std::uint32_t c) { out.push_back({a, b, c}); });
    return out;
}

std::vector<Found> fast_pass(double threshold) {
    return segments_of([](double t, std::uint32_t c, auto&& sink) { extract_contours(t, c, sink); }, threshold);
}
std::vector<Found> reference_pass(double threshold) {
    return segments_of([](double t, std::uint32_t c, auto&& sink) { extract_contours_reference(t, c, sink); },
                       threshold);
}

// The build's classification, and the one-lane form of the builds without
// SSE2 (here too, whatever this build's layer is), against the reference.
void expect_same_classification(double threshold) {
    AboveMasks fast, one_lane, reference;
    classify_samples(threshold, fast);
    classify_samples_over<simd::Scalar>(threshold, one_lane);
    classify_samples_reference(threshold, reference);
    for (int x = 0; x < field_size; ++x)
        for (int y = 0; y < field_size; ++y) {
            ASSERT_EQ(fast[x][y], reference[x][y]) << "threshold " << threshold << " at " << x << "," << y;
            ASSERT_EQ(one_lane[x][y], reference[x][y])
                << "one lane, threshold " << threshold << " at " << x << "," << y;
        }
}

TEST(FastContours, FloatThresholdSplitsFloatsExactlyLikeTheDoubleComparison) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> unit(-2.0, 2.0);
    for (int i = 0; i < 2000; ++i) {
        // Thresholds that are floats, between floats, and tiny or huge.
        const double t = i % 3 == 0 ? static_cast<double>(static_cast<float>(unit(random)))
                                    : unit(random) * std::pow(10.0, i % 7 - 3);
        const float limit = float_threshold(t);
        float f = static_cast<float>(t);
        for (int k = 0; k < 4; ++k) f = std::nextafter(f, -INFINITY);
        for (int k = 0; k < 9; ++k, f = std::nextafter(f, INFINITY))
            ASSERT_EQ(f > limit, static_cast<double>(f) > t) << "threshold " << t << " sample " << f;
    }
    EXPECT_FALSE(std::nextafter(float_threshold(0.03), INFINITY) <= 0.03);
    EXPECT_LE(static_cast<double>(float_threshold(0.03)), 0.03);
}

TEST(FastContours, ClassificationMatchesOnDemoFieldsAndOnSamplesEqualToTheThreshold) {
    for (std::uint32_t ms : {0u, 3000u, 123457u, 987654321u}) {
        fill_field(demo_time(ms));
        expect_same_classification(0.03);
        expect_same_classification(0.06);
    }
    // Samples exactly at the threshold, one float below and one above.
    clear_field();
    const float at = static_cast<float>(0.05);
    for (int x = 0; x < field_size; ++x)
        for (int y = 0; y < field_size; ++y)
            for (int z = 0; z < field_size; ++z) {
                const int k = (x * 7 + y * 3 + z) % 3;
                field[x][y][z] = k == 0 ? at : k == 1 ? std::nextafter(at, 0.0f) : std::nextafter(at, 1.0f);
            }
    expect_same_classification(static_cast<double>(at));
    expect_same_classification(0.05);
    expect_same_classification(std::nextafter(static_cast<double>(at), 0.0));
    expect_same_classification(std::nextafter(static_cast<double>(at), 1.0));
}

TEST(FastContours, SkippingPassGivesTheSameSegmentsInTheSameOrder) {
    for (std::uint32_t ms : {0u, 3000u, 123457u, 4294967295u}) {
        fill_field(demo_time(ms));
        for (double threshold : {0.03, 0.06}) {
            const auto fast = fast_pass(threshold), reference = reference_pass(threshold);
            EXPECT_GT(reference.size(), 100u) << "a frame with contours";
            EXPECT_TRUE(fast == reference) << "clock " << ms << " threshold " << threshold << ": " << fast.size()
                                           << " segments against " << reference.size();
        }
    }
}

TEST(FastContours, SkippingPassMatchesOnNoisyFieldsWithTiesAndTheLastPlane) {
    // Random samples, many of them exactly the threshold: every case code,
    // ties, and contours in the plane z = 31 that must stay undrawn.
    std::mt19937 random(17);
    const float choices[] = {0.01f, 0.03f, 0.05f, static_cast<float>(0.03)};
    for (int round = 0; round < 3; ++round) {
        for (auto& plane : field)
            for (auto& row : plane)
                for (float& s : row) s = choices[random() % 4];
        const auto fast = fast_pass(0.03), reference = reference_pass(0.03);
        EXPECT_GT(reference.size(), 1000u);
        EXPECT_TRUE(fast == reference) << fast.size() << " against " << reference.size();
    }
    clear_field();
    EXPECT_TRUE(fast_pass(0.03).empty()) << "a zero field draws nothing";
}

TEST(FourLaneBlend, WeightedPlotEqualsTheByteByByteFormForEveryColourByteAndWeight) {
    if (!simd::Vector::pixel_lanes) GTEST_SKIP() << "no pixel lanes in this build: the blends are the references";
    // Each colour byte value in some lane, against pixels from black to
    // nearly saturated, for every weight 0 ... 32767.
    const std::uint32_t pixels[] = {0x00000000u, 0x00FF0180u, 0x7F80FEFFu, 0x01020304u};
    for (std::uint32_t c = 0; c < 256; c += 1) {
        const std::uint32_t color = c | ((255 - c) << 8) | (((c * 7) & 0xFF) << 16) | (((c * 13 + 5) & 0xFF) << 24);
        const LaneColor lanes = lane_color(color);
        for (std::uint32_t w = 0; w < 32768; w += (c % 16 == 0 ? 1 : 61))
            for (std::uint32_t p : pixels)
                ASSERT_EQ(lanes_add_weighted(p, lanes, w), add_weighted(p, color, w))
                    << std::hex << "pixel " << p << " colour " << color << " weight " << std::dec << w;
    }
}

TEST(FourLaneBlend, SplitPlotEqualsTheByteByByteFormForEveryColourByteAndFraction) {
    if (!simd::Vector::pixel_lanes) GTEST_SKIP() << "no pixel lanes in this build: the blends are the references";
    const std::uint32_t pixels[][2] = {{0u, 0u}, {0x00FF0180u, 0x7F80FEFFu}, {0x00FEFEFEu, 0x00010101u}};
    for (std::uint32_t c = 0; c < 256; ++c) {
        const std::uint32_t color = c | ((255 - c) << 8) | (((c * 7) & 0xFF) << 16) | (((c * 13 + 5) & 0xFF) << 24);
        const LaneColor lanes = lane_color(color);
        for (std::uint32_t f = 0; f < 65536; f += (c % 16 == 0 ? 1 : 97))
            for (const auto& pair : pixels) {
                std::uint32_t near_fast = pair[0], far_fast = pair[1], near_ref = pair[0], far_ref = pair[1];
                lanes_add_split(near_fast, far_fast, lanes, f);
                add_split(near_ref, far_ref, color, f);
                ASSERT_EQ(near_fast, near_ref) << std::hex << "colour " << color << " fraction " << f;
                ASSERT_EQ(far_fast, far_ref) << std::hex << "colour " << color << " fraction " << f;
            }
    }
}

}  // namespace
