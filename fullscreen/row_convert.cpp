// The choice of converter for a screen format, from the format table.
#include "row_convert.h"

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
