// The four-lane splat against splat_weights and blend_splat_pixel, bit for
// bit, over every kind of weight and background.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "curve_plot.h"
#include "simd_select.h"
#include "splat_lanes.h"

namespace {

// One whole splat through the lanes of layer L: load, blend, store.
template <class L>
void splat_four_lanes(std::uint32_t* p, int pitch, std::uint32_t color, std::uint32_t fx, std::uint32_t fy) {
    const SplatBlock<L> block = load_splat_block<L>(p, pitch);
    store_splat_block<L>(p, pitch, blend_splat_block<L>(block, splat_color_lanes<L>(color), fx, fy));
}

// The reference splat: the four weights and blends in drawing order.
void reference_splat(std::uint32_t* p, int pitch, std::uint32_t color, std::uint32_t fx, std::uint32_t fy) {
    const SplatWeights w = splat_weights(fx, fy);
    p[0] = blend_splat_pixel(p[0], color, w.top_left);
    p[1] = blend_splat_pixel(p[1], color, w.top_right);
    p[pitch + 1] = blend_splat_pixel(p[pitch + 1], color, w.bottom_right);
    p[pitch] = blend_splat_pixel(p[pitch], color, w.bottom_left);
}

// Over the layer L, which has pixel lanes.
template <class L>
void expect_four_lane_splats_equal_the_reference() {
    std::mt19937 random(99);
    const std::uint32_t fractions[] = {0, 1, 0x7FFF, 0x8000, 0xFFFE, 0xFFFF};
    const std::uint32_t colors[] = {0x00000000, 0x00FFFFFF, 0xFF123456, 0x00FF00FF};
    constexpr int pitch = 5;
    for (int round = 0; round < 200000; ++round) {
        std::uint32_t fast[2 * pitch], ref[2 * pitch];
        for (int i = 0; i < 2 * pitch; ++i) {
            // Top bytes set too: both forms must drop them.
            const std::uint32_t v = round % 5 == 0 ? 0x00FFFFFFu : round % 7 == 0 ? 0xFF000000u | random() : random();
            fast[i] = ref[i] = v;
        }
        const std::uint32_t fx = round < 36 ? fractions[round % 6] : random() & 0xFFFF;
        const std::uint32_t fy = round < 36 ? fractions[round / 6] : random() & 0xFFFF;
        const std::uint32_t color = round % 3 == 0 ? colors[(round / 3) % 4] : random();
        splat_four_lanes<L>(fast + 1, pitch, color, fx, fy);
        reference_splat(ref + 1, pitch, color, fx, fy);
        for (int i = 0; i < 2 * pitch; ++i)
            ASSERT_EQ(fast[i], ref[i]) << std::hex << "pixel " << i << " colour " << color << " fx " << fx << " fy " << fy;
    }
}

TEST(SplatLanes, FourLaneSplatEqualsTheReferenceForRandomAndExtremeInputs) {
    if constexpr (simd::Vector::pixel_lanes)
        expect_four_lane_splats_equal_the_reference<simd::Vector>();
    else
        GTEST_SKIP() << "no pixel lanes in this build's layer";
}

TEST(SplatLanes, SegmentsDrawTheSamePixelsAsSplatsOneByOne) {
    // plot_aa_segment against a splat-by-splat reference of the same samples.
    std::mt19937 random(3);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::uint32_t> fast(320 * 200), ref;
        for (auto& p : fast) p = random() & 0x00FFFFFF;
        ref = fast;
        const Fixed x0 = static_cast<Fixed>(random() % (300u << 16)), y0 = static_cast<Fixed>(random() % (190u << 16));
        const Fixed x1 = static_cast<Fixed>(random() % (300u << 16)), y1 = static_cast<Fixed>(random() % (190u << 16));
        const std::uint32_t color = random() & 0x00FFFFFF;
        plot_aa_segment(Canvas{fast.data(), 320, 200, 320}, x0, y0, x1, y1, color);
        const Fixed dx = x1 - x0, dy = y1 - y0;
        const std::uint32_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
        const std::uint32_t n = (((adx > ady ? adx : ady) >> 15) & 0xFFFF) + 1;
        Fixed x = x0, y = y0;
        for (std::uint32_t k = 0; k < n; ++k, x += dx / static_cast<Fixed>(n), y += dy / static_cast<Fixed>(n))
            reference_splat(ref.data() + (y >> 16) * 320 + (x >> 16), 320, color, x & 0xFFFF, y & 0xFFFF);
        ASSERT_EQ(fast, ref) << "round " << round;
    }
}

}  // namespace
