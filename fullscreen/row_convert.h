#pragma once
// Row converters: one row of 0x00RRGGBB pixels into one row of the screen's
// pixel format. A converter writes exactly count x (bytes per pixel) bytes,
// pixel i at byte i x (bytes per pixel), 16-bit values little-endian, and
// never touches the bytes past them (the pitch margin). Channels are reduced
// by truncation: the top 5 or 6 bits are kept, no rounding, no dithering.
#include <cstdint>

#include "pixel_format.h"

using RowConverter = void (*)(const std::uint32_t* source, void* destination, int count);

// convert_row_rgb32, convert_row_bgr32, ... convert_row_bgr555: one for each
// line of the format table (pixel_format.h), which shows each layout.
#define ROW_CONVERTER_DECLARE(name, ...) \
    void convert_row_##name(const std::uint32_t* source, void* destination, int count);
PIXEL_FORMATS(ROW_CONVERTER_DECLARE)
#undef ROW_CONVERTER_DECLARE

// The converter for a screen format as its bit count and red, green and blue
// masks report it (32, then 24, then 16 bits; exact masks), or null when the
// format is not supported. Alpha masks are not an input; 5-5-5 formats are
// recognised only with a bit count of 16.
RowConverter choose_converter(std::uint32_t bit_count, std::uint32_t red_mask, std::uint32_t green_mask,
                              std::uint32_t blue_mask);
