// Every row converter, in every form this build has (the published one, the
// scalar reference and each SIMD form the processor can run), on any pixels,
// any count (negative and zero too), any pitch and any alignment of the
// destination. Each form must write exactly the plain per-pixel bytes of
// its format for each row, leave the pitch margin and everything around the
// surface untouched, and write nothing at all for a count of 0 or less.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz_support.h"
#include "../support/plain_formats.h"
#include "converter_forms.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const int count = in.take<std::int16_t>() % 4100;
    const int rows = in.take_range(1, 3);
    const int margin = in.take_range(0, 63);
    const int misalign = in.take_range(0, 15);
    const int source_offset = in.take_range(0, 7);
    const std::uint32_t seed = in.take<std::uint32_t>();

    // Source rows one after another, as in the frame buffer; pixels from the
    // rest of the input, then a pattern.
    const int row_pixels = count > 0 ? count : 0;
    std::vector<std::uint32_t> source(static_cast<std::size_t>(source_offset) + row_pixels * rows + 1);
    fill_pattern(source.data(), source.size(), seed);
    if (in.rest_size() > 0) std::memcpy(source.data(), in.rest(), std::min(in.rest_size(), source.size() * 4));
    const std::uint32_t* first_row = source.data() + source_offset;

    const ConverterForms* all = converter_forms();
    FUZZ_CHECK(converter_count == plain_format_count, "%d converters for %d formats", converter_count,
               plain_format_count);
    for (int c = 0; c < converter_count; ++c) {
        const int bpp = plain_formats[c].bytes;
        FUZZ_CHECK(std::strcmp(all[c].name, plain_formats[c].name) == 0, "converter %d is %s, not %s", c, all[c].name,
                   plain_formats[c].name);
        FUZZ_CHECK(all[c].bytes_per_pixel == bpp, "%s: %d bytes per pixel", all[c].name, all[c].bytes_per_pixel);
        const int pitch = row_pixels * bpp + margin;
        const std::size_t surface_bytes = static_cast<std::size_t>(misalign) + static_cast<std::size_t>(pitch) * rows;

        std::vector<std::uint8_t> expected(surface_bytes, GuardedBuffer<std::uint8_t>::canary_byte);
        for (int r = 0; r < rows; ++r)
            for (int i = 0; i < row_pixels; ++i)
                plain_pixel(c, first_row[r * row_pixels + i],
                            expected.data() + misalign + static_cast<std::size_t>(r) * pitch + i * bpp);

        std::vector<ConverterForm> forms(all[c].forms, all[c].forms + 4);
        forms.push_back({"published", all[c].published});
        for (const ConverterForm& form : forms) {
            if (!form.convert) continue;
            GuardedBuffer<std::uint8_t> surface(surface_bytes);
            for (int r = 0; r < rows; ++r)
                form.convert(first_row + r * row_pixels, surface.data() + misalign + static_cast<std::size_t>(r) * pitch,
                             count);
            FUZZ_CHECK(surface.guards_intact(), "%s/%s: write outside the surface (count %d)", all[c].name, form.isa,
                       count);
            FUZZ_CHECK(surface_bytes == 0 || std::memcmp(surface.data(), expected.data(), surface_bytes) == 0,
                       "%s/%s: bytes differ from the plain formula (count %d, pitch %d)", all[c].name, form.isa,
                       count, pitch);
        }
    }
    return 0;
}
