// plot_aa_segment with any 16.16 ends, any colour, any pitch and row count:
// nothing outside the buffer is written (guard words) and every pixel equals
// the plain splat-by-splat reference, which skips pixels off the buffer.
#include <cstdint>
#include <cstring>
#include <vector>

#include "curve_plot.h"
#include "fuzz_support.h"
#include "plain_curves.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::uint8_t mode = in.take<std::uint8_t>();
    const int pitch = in.take_range(1, (mode & 1) ? 700 : 40);
    const int rows = in.take_range(1, (mode & 1) ? 300 : 40);
    std::int32_t ends[4];
    for (std::int32_t& v : ends) {
        v = in.take<std::int32_t>();
        // Mostly ends near the buffer, so that segments cross its edges.
        if (mode & 2) v = static_cast<std::int16_t>(v) * 64;
    }
    const std::uint32_t color = in.take<std::uint32_t>();
    const std::uint32_t seed = in.take<std::uint32_t>();

    const std::size_t count = static_cast<std::size_t>(pitch) * rows;
    GuardedBuffer<std::uint32_t> buffer(count);
    std::vector<std::uint32_t> expected(count);
    fill_pattern(expected.data(), count, seed);
    std::memcpy(buffer.data(), expected.data(), count * 4);

    plot_aa_segment(Canvas{buffer.data(), pitch, rows, pitch}, ends[0], ends[1], ends[2], ends[3], color);
    plain::segment(ends[0], ends[1], ends[2], ends[3], color, expected.data(), pitch, rows);
    FUZZ_CHECK(buffer.guards_intact(), "write outside a %dx%d buffer", pitch, rows);
    FUZZ_CHECK(std::memcmp(buffer.data(), expected.data(), count * 4) == 0,
               "pixels differ from the plain reference (%08x,%08x)-(%08x,%08x) pitch %d rows %d", ends[0], ends[1],
               ends[2], ends[3], pitch, rows);
    return 0;
}
