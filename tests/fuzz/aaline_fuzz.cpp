// AALine::draw with any four doubles (NaN and infinities too), any colour and
// any target from 4x4 up. Must hold for every input:
//   - nothing is written outside the target (guard words on both sides);
//   - lock at most once, and unlock exactly as often as lock;
//   - the blend only adds: no byte of any pixel gets smaller;
//   - row 0 and column 0 are never touched (the band starts 2 pixels in and
//     antialiasing reaches one pixel beyond it at most);
//   - the segment given end to end the other way draws the same pixels and
//     leaves the same ends in the record.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "aaline.h"
#include "draw_target.h"
#include "fuzz_support.h"

namespace {

class GuardedTarget : public DrawTarget {
public:
    GuardedTarget(int width, int height)
        : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height) {}

    int copy(DrawTarget&) override { return 0; }
    std::uint32_t* lock() override {
        ++locks;
        return pixels_.data();
    }
    int unlock() override {
        ++unlocks;
        return 1;
    }
    int clear(const ColorValue&) override { return 0; }
    int width() override { return width_; }
    int height() override { return height_; }

    std::uint32_t* pixels() { return pixels_.data(); }
    bool guards_intact() const { return pixels_.guards_intact(); }
    int locks = 0, unlocks = 0;

private:
    int width_, height_;
    GuardedBuffer<std::uint32_t> pixels_;
};

bool bytes_not_lower(std::uint32_t after, std::uint32_t before) {
    for (int shift = 0; shift < 32; shift += 8)
        if (((after >> shift) & 0xFFu) < ((before >> shift) & 0xFFu)) return false;
    return true;
}

void check_draw(GuardedTarget& target, const std::uint32_t* before, AALine& line) {
    line.draw(target);
    const int w = target.width(), h = target.height();
    FUZZ_CHECK(target.guards_intact(), "write outside a %dx%d target", w, h);
    FUZZ_CHECK(target.locks <= 1, "locked %d times", target.locks);
    FUZZ_CHECK(target.unlocks == target.locks, "%d locks, %d unlocks", target.locks, target.unlocks);
    const std::uint32_t* after = target.pixels();
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) {
            const std::size_t i = static_cast<std::size_t>(r) * w + c;
            if (after[i] == before[i]) continue;
            FUZZ_CHECK(bytes_not_lower(after[i], before[i]), "pixel (%d, %d) went from %08x to %08x", c, r,
                       before[i], after[i]);
            FUZZ_CHECK(r > 0 && c > 0, "pixel (%d, %d) on the target's edge changed", c, r);
        }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    // Mostly small targets, where the band's edges are met often and a run
    // is quick; now and then up to 515 pixels a side.
    const bool large = in.take<std::uint8_t>() < 32;
    const int width = in.take_range(4, large ? 515 : 40);
    const int height = in.take_range(4, large ? 515 : 40);
    AALine line{};
    line.x0 = in.take<double>();
    line.x1 = in.take<double>();
    line.y0 = in.take<double>();
    line.y1 = in.take<double>();
    line.color = in.take<std::uint32_t>();
    const std::uint8_t background_kind = in.take<std::uint8_t>();
    const std::uint32_t background = in.take<std::uint32_t>();

    GuardedTarget forward(width, height), backward(width, height);
    const std::size_t count = static_cast<std::size_t>(width) * height;
    std::vector<std::uint32_t> before(count, 0);
    if (background_kind % 3 == 1) fill_pattern(before.data(), count, background);
    if (background_kind % 3 == 2) std::fill(before.begin(), before.end(), background);
    std::memcpy(forward.pixels(), before.data(), count * 4);
    std::memcpy(backward.pixels(), before.data(), count * 4);

    AALine reversed{line.x1, line.x0, line.y1, line.y0, line.color};
    const bool finite = std::isfinite(line.x0) && std::isfinite(line.x1) && std::isfinite(line.y0) &&
                        std::isfinite(line.y1);
    check_draw(forward, before.data(), line);
    check_draw(backward, before.data(), reversed);
    if (!finite) {
        FUZZ_CHECK(std::memcmp(forward.pixels(), before.data(), count * 4) == 0, "non-finite segment drew");
        return 0;
    }
    FUZZ_CHECK(forward.locks == backward.locks, "one direction locked, the other did not");
    FUZZ_CHECK(std::memcmp(forward.pixels(), backward.pixels(), count * 4) == 0,
               "the two directions of one segment drew different pixels");
    if (forward.locks == 1 && std::memcmp(forward.pixels(), before.data(), count * 4) != 0)
        FUZZ_CHECK(line.x0 == reversed.x0 && line.x1 == reversed.x1 && line.y0 == reversed.y0 &&
                       line.y1 == reversed.y1,
                   "the records hold different ends after drawing");
    return 0;
}
