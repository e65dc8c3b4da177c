// The published converters, one for each line of the format table, and the
// choice of converter for a screen format.
#include "row_convert.h"

#include "row_convert_fastest.h"

// convert_row_NAME is this build's fastest form of the format NAME.
#define ROW_CONVERTER_DEFINE(name, ...)                              \
    void convert_row_##name(const std::uint32_t* s, void* d, int n) { \
        convert_row_fastest<pixel_format::name>(s, d, n);             \
    }
PIXEL_FORMATS(ROW_CONVERTER_DEFINE)
#undef ROW_CONVERTER_DEFINE

namespace {

struct Choice {
    std::uint32_t bit_count, red_mask, green_mask, blue_mask;
    RowConverter converter;
};

#define CHOICE(name, bits, red, green, blue) {bits, red, green, blue, convert_row_##name},
const Choice choices[] = {PIXEL_FORMATS(CHOICE)};
#undef CHOICE

}  // namespace

RowConverter choose_converter(std::uint32_t bit_count, std::uint32_t red_mask, std::uint32_t green_mask,
                              std::uint32_t blue_mask) {
    // The table lists 32, then 24, then 16 bits; a format needs its bit
    // count and all three masks exactly.
    for (const Choice& c : choices) {
        if (c.bit_count != bit_count) continue;
        if (c.red_mask == red_mask && c.green_mask == green_mask && c.blue_mask == blue_mask) return c.converter;
    }
    return nullptr;
}
