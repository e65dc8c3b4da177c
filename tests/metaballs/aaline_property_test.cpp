// Whatever the segment, draw stays inside the target: random segments of
// every kind on targets with canaries around their pixels (and, for
// AddressSanitizer, on targets allocated to the exact size).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "aaline.h"
#include "memory_target.h"

namespace {

class SegmentSource {
public:
    SegmentSource(int width, int height, std::uint32_t seed) : width_(width), height_(height), random_(seed) {}

    AALine next() {
        AALine line;
        const int kind = pick(9);
        if (kind == 8) return through_the_target();
        double* ends[4] = {&line.x0, &line.y0, &line.x1, &line.y1};
        for (int i = 0; i < 4; ++i) *ends[i] = coordinate(kind, i % 2 == 0 ? width_ : height_);
        if (kind == 6) {  // coincident ends
            line.x1 = line.x0;
            line.y1 = line.y0;
        }
        if (kind == 7) {  // one axis shared: horizontal or vertical
            if (pick(2)) line.y1 = line.y0; else line.x1 = line.x0;
        }
        line.color = static_cast<std::uint32_t>(random_()) & 0xFFFFFF;
        return line;
    }

private:
    // A segment of enormous extent (10^14 to 10^20) through the target:
    // clipping it loses whole pixels to rounding, so its clipped ends no
    // longer agree with its gradient.
    AALine through_the_target() {
        const double extent = std::pow(10.0, 14 + pick(60) / 10.0);
        const double slope = uniform(-1, 1);
        const double across = uniform(0, pick(2) ? width_ : height_);
        const double a0 = -extent * uniform(0.5, 1.5), a1 = extent * uniform(0.5, 1.5);
        AALine line{a0, a1, across + slope * a0, across + slope * a1, 0x00FFFFFF};
        if (pick(2)) {  // steep instead of flat
            std::swap(line.x0, line.y0);
            std::swap(line.x1, line.y1);
        }
        return line;
    }

    int pick(int n) { return static_cast<int>(random_() % static_cast<std::uint32_t>(n)); }
    double uniform(double low, double high) {
        return low + (high - low) * (static_cast<double>(random_()) / 4294967296.0);
    }

    // A coordinate along an axis of `size` pixels.
    double coordinate(int kind, int size) {
        switch (kind) {
        case 0: return uniform(-20, size + 20);                    // around the target
        case 1: return uniform(-1e6, 1e6);                         // far outside
        case 2: return uniform(-1e300, 1e300) * (pick(2) ? 1 : 1e-300);  // extreme magnitudes
        case 3: {                                                  // on or next to a band edge
            const double edges[] = {2.0, size - 2.0, 0.0, size - 1.0, static_cast<double>(size)};
            double v = edges[pick(5)];
            const int nudge = pick(3);
            if (nudge == 1) v = std::nextafter(v, 1e9);
            if (nudge == 2) v = std::nextafter(v, -1e9);
            return v;
        }
        case 4: {                                                  // now and then not finite
            const double oddities[] = {std::numeric_limits<double>::quiet_NaN(),
                                       std::numeric_limits<double>::infinity(),
                                       -std::numeric_limits<double>::infinity(), 1e308, -1e308};
            return pick(3) == 0 ? oddities[pick(5)] : uniform(-10, size + 10);
        }
        case 5: return std::floor(uniform(-5, size + 5));          // whole pixels
        default: return pick(4) == 0 ? size - 2.0 : uniform(-5, size + 5);
        }
    }

    int width_, height_;
    std::mt19937 random_;
};

// Row 0 and column 0 are never reached (the band starts at 2 and a pair
// reaches at most one pixel up or left of it), so a write past a row's end
// that wraps into the next row shows there.
bool first_row_and_column_untouched(MemoryTarget& target, std::uint32_t background) {
    for (int c = 0; c < target.width(); ++c)
        if (target.at(c, 0) != background) return false;
    for (int r = 0; r < target.height(); ++r)
        if (target.at(0, r) != background) return false;
    return true;
}

void check_many_segments(int width, int height, int count, std::uint32_t seed) {
    const std::uint32_t background = 0x00010101;
    MemoryTarget guarded(width, height, background, width * height + 4096);
    MemoryTarget exact(width, height, background, 0);
    SegmentSource source(width, height, seed);
    for (int i = 0; i < count; ++i) {
        const AALine original = source.next();
        AALine line = original;
        const int locks_before = guarded.locks, unlocks_before = guarded.unlocks;
        line.draw(guarded);
        const int locks = guarded.locks - locks_before;
        ASSERT_LE(locks, 1) << "segment " << i;
        ASSERT_EQ(guarded.unlocks - unlocks_before, locks) << "segment " << i;
        // The canaries reach a whole target's size beyond each end; checking
        // all of them now and then keeps the test quick under the sanitizers.
        if (i % 500 == 0 || i == count - 1) {
            ASSERT_TRUE(guarded.guards_intact()) << "segments up to " << i;
        }
        ASSERT_TRUE(first_row_and_column_untouched(guarded, background))
            << "segment " << i << ": (" << original.x0 << ", " << original.y0 << ") - (" << original.x1 << ", "
            << original.y1 << ")";
        line = original;
        line.draw(exact);
    }
}

}  // namespace

TEST(AALineProperty, NoSegmentWritesOutsideTheDemoSurface) { check_many_segments(320, 240, 20000, 1); }

TEST(AALineProperty, NoSegmentWritesOutsideSmallAndOddTargets) {
    const int sizes[][2] = {{1, 1}, {3, 3}, {4, 4}, {5, 3}, {7, 16}, {33, 9}};
    std::uint32_t seed = 2;
    for (const auto& size : sizes) check_many_segments(size[0], size[1], 3000, seed++);
}

TEST(AALineProperty, DrawingEitherWayRoundGivesTheSamePixels) {
    SegmentSource source(320, 240, 3);
    for (int i = 0; i < 600; ++i) {
        const AALine original = source.next();
        MemoryTarget forward(320, 240), backward(320, 240);
        AALine line = original;
        line.draw(forward);
        AALine reversed = original;
        std::swap(reversed.x0, reversed.x1);
        std::swap(reversed.y0, reversed.y1);
        reversed.draw(backward);
        ASSERT_EQ(forward.snapshot(), backward.snapshot())
            << "(" << original.x0 << ", " << original.y0 << ") - (" << original.x1 << ", " << original.y1 << ")";
    }
}
