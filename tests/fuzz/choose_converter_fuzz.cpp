// choose_converter with any bit count and masks: it returns the converter of
// the one format whose bit count and three masks all match exactly, and null
// for everything else; a converter it returns writes that format's bytes.
#include <cstdint>
#include <cstring>

#include "fuzz_support.h"
#include "../support/plain_formats.h"
#include "row_convert.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    // Often one of the real formats with a little changed, so that near
    // misses are tried as much as random masks.
    const std::uint8_t mode = in.take<std::uint8_t>();
    std::uint32_t bits = in.take<std::uint32_t>(), red = in.take<std::uint32_t>();
    std::uint32_t green = in.take<std::uint32_t>(), blue = in.take<std::uint32_t>();
    if (mode & 1) {
        const PlainFormat& f = plain_formats[(mode >> 1) % plain_format_count];
        // Keep each field of the real format unless its flip bit is set.
        bits = (mode & 0x10) ? f.bit_count ^ (bits & 0xFF) : f.bit_count;
        red = (mode & 0x20) ? f.red_mask ^ (red & 0xFFFF) : f.red_mask;
        green = (mode & 0x40) ? f.green_mask ^ (green & 0xFFFF) : f.green_mask;
        blue = (mode & 0x80) ? f.blue_mask ^ (blue & 0xFFFF) : f.blue_mask;
    }

    int match = -1;
    for (int i = 0; i < plain_format_count; ++i) {
        const PlainFormat& f = plain_formats[i];
        if (f.bit_count == bits && f.red_mask == red && f.green_mask == green && f.blue_mask == blue) match = i;
    }
    const RowConverter chosen = choose_converter(bits, red, green, blue);
    if (match < 0) {
        FUZZ_CHECK(chosen == nullptr, "format %u %x %x %x is not supported but got a converter", bits, red, green,
                   blue);
        return 0;
    }
    FUZZ_CHECK(chosen != nullptr, "format %s got no converter", plain_formats[match].name);
    FUZZ_CHECK(chosen == plain_formats[match].converter, "format %s got another converter", plain_formats[match].name);

    const std::uint32_t pixels[5] = {0x00123456, 0x00FFFFFF, 0, 0xFF80FF01, in.take<std::uint32_t>()};
    std::uint8_t got[20 + 1], want[20 + 1];
    std::memset(got, 0xA5, sizeof got);
    std::memset(want, 0xA5, sizeof want);
    chosen(pixels, got, 5);
    for (int i = 0; i < 5; ++i) plain_pixel(match, pixels[i], want + i * plain_formats[match].bytes);
    FUZZ_CHECK(std::memcmp(got, want, sizeof got) == 0, "format %s got another format's converter",
               plain_formats[match].name);
    return 0;
}
