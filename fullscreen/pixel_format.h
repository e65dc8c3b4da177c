#pragma once
// The screen formats the converters produce, listed once. Each line of
// PIXEL_FORMATS gives a format's name, the bit count a screen reports for it
// and its red, green and blue masks; bytes per pixel follow from the bit
// count, and how many top bits of each 8-bit channel are kept, and where they
// land, follow from the masks. From each line come the description type
// pixel_format::NAME, the converter convert_row_NAME (row_convert.h), the
// converter forms of every build and the choice of converter for a screen.
// A new format is one line here plus its SIMD step form (simd_steps.h).
#include <cstdint>

#include "rgb.h"

// X(name, bit count, red mask, green mask, blue mask), in the order
// choose_converter tries them: 32, then 24, then 16 bits. The 5-5-5 formats
// report 16 bits (their top bit unused).
#define PIXEL_FORMATS(X)                                                \
    X(rgb32, 32, 0xFF0000, 0x00FF00, 0x0000FF) /* straight copy */      \
    X(bgr32, 32, 0x0000FF, 0x00FF00, 0xFF0000) /* 0x00BBGGRR */         \
    X(rgb24, 24, 0xFF0000, 0x00FF00, 0x0000FF) /* bytes B G R */        \
    X(bgr24, 24, 0x0000FF, 0x00FF00, 0xFF0000) /* bytes R G B */        \
    X(rgb565, 16, 0xF800, 0x07E0, 0x001F)      /* RRRRRGGGGGGBBBBB */   \
    X(bgr565, 16, 0x001F, 0x07E0, 0xF800)      /* BBBBBGGGGGGRRRRR */   \
    X(rgb555, 16, 0x7C00, 0x03E0, 0x001F)      /* 0RRRRRGGGGGBBBBB */   \
    X(bgr555, 16, 0x001F, 0x03E0, 0x7C00)      /* 0BBBBBGGGGGRRRRR */

namespace pixel_format {

// Position of the lowest set bit of a channel mask, and how many bits it has.
constexpr int mask_shift(std::uint32_t mask) {
    int shift = 0;
    while (shift < 32 && !((mask >> shift) & 1u)) ++shift;
    return shift;
}
constexpr int mask_width(std::uint32_t mask) {
    int width = 0;
    for (; mask; mask &= mask - 1) ++width;
    return width;
}

// An 8-bit channel value reduced to the top bits its mask holds (truncated,
// no rounding) and moved to the mask's place: (v >> (8 - width)) << shift.
template <std::uint32_t Mask>
constexpr std::uint32_t place(std::uint32_t value8) {
    static_assert(mask_width(Mask) >= 1 && mask_width(Mask) <= 8, "a channel keeps 1 to 8 bits");
    return (value8 >> (8 - mask_width(Mask))) << mask_shift(Mask);
}

template <std::uint32_t BitCount, std::uint32_t RedMask, std::uint32_t GreenMask, std::uint32_t BlueMask>
struct Format {
    static_assert(BitCount % 8 == 0 && BitCount <= 32, "whole bytes of at most 32 bits");
    static constexpr std::uint32_t bit_count = BitCount;
    static constexpr std::uint32_t red_mask = RedMask, green_mask = GreenMask, blue_mask = BlueMask;
    static constexpr int bytes = BitCount / 8;
    // The source's own 32-bit layout is copied whole, top byte included.
    static constexpr bool copies_source = BitCount == 32 && RedMask == 0xFF0000 && GreenMask == 0x00FF00 &&
                                          BlueMask == 0x0000FF;
    // The destination pixel of source pixel p; its low `bytes` bytes are
    // stored little-endian.
    static constexpr std::uint32_t pack(std::uint32_t p) {
        if (copies_source) return p;
        return place<RedMask>(red(p)) | place<GreenMask>(green(p)) | place<BlueMask>(blue(p));
    }
};

#define PIXEL_FORMAT_TYPE(name, bits, red, green, blue) using name = Format<bits, red, green, blue>;
PIXEL_FORMATS(PIXEL_FORMAT_TYPE)
#undef PIXEL_FORMAT_TYPE

#define PIXEL_FORMAT_ONE(...) +1
constexpr int format_count = 0 PIXEL_FORMATS(PIXEL_FORMAT_ONE);
#undef PIXEL_FORMAT_ONE

}  // namespace pixel_format
