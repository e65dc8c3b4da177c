#pragma once
// The screen formats as the tests know them, listed once for the unit tests,
// the fuzz targets and the SDL cross-check: each with the masks a screen
// reports, its bytes per pixel, its converter, and its destination pixel
// written out plainly (independent of the format templates of the
// converters).
#include <cstdint>
#include <string_view>

#include "row_convert.h"

struct PlainFormat {
    const char* name;
    std::uint32_t bit_count, red_mask, green_mask, blue_mask;
    int bytes;
    RowConverter converter;
    std::uint32_t (*value)(std::uint32_t p);  // its low `bytes` bytes are stored little-endian
};

// The destination pixel of source pixel p in each format.
namespace plain {
constexpr std::uint32_t r(std::uint32_t p) { return (p >> 16) & 0xFF; }
constexpr std::uint32_t g(std::uint32_t p) { return (p >> 8) & 0xFF; }
constexpr std::uint32_t b(std::uint32_t p) { return p & 0xFF; }

constexpr std::uint32_t rgb32(std::uint32_t p) { return p; }  // all 32 bits kept
constexpr std::uint32_t bgr32(std::uint32_t p) { return (b(p) << 16) | (g(p) << 8) | r(p); }
constexpr std::uint32_t rgb24(std::uint32_t p) { return p & 0xFFFFFF; }                    // bytes B, G, R
constexpr std::uint32_t bgr24(std::uint32_t p) { return (b(p) << 16) | (g(p) << 8) | r(p); }  // bytes R, G, B
constexpr std::uint32_t rgb565(std::uint32_t p) { return ((r(p) >> 3) << 11) | ((g(p) >> 2) << 5) | (b(p) >> 3); }
constexpr std::uint32_t bgr565(std::uint32_t p) { return ((b(p) >> 3) << 11) | ((g(p) >> 2) << 5) | (r(p) >> 3); }
constexpr std::uint32_t rgb555(std::uint32_t p) { return ((r(p) >> 3) << 10) | ((g(p) >> 3) << 5) | (b(p) >> 3); }
constexpr std::uint32_t bgr555(std::uint32_t p) { return ((b(p) >> 3) << 10) | ((g(p) >> 3) << 5) | (r(p) >> 3); }
}  // namespace plain

// In the order of the converter table.
constexpr PlainFormat plain_formats[] = {
    {"rgb32", 32, 0xFF0000, 0x00FF00, 0x0000FF, 4, convert_row_rgb32, plain::rgb32},
    {"bgr32", 32, 0x0000FF, 0x00FF00, 0xFF0000, 4, convert_row_bgr32, plain::bgr32},
    {"rgb24", 24, 0xFF0000, 0x00FF00, 0x0000FF, 3, convert_row_rgb24, plain::rgb24},
    {"bgr24", 24, 0x0000FF, 0x00FF00, 0xFF0000, 3, convert_row_bgr24, plain::bgr24},
    {"rgb565", 16, 0xF800, 0x07E0, 0x001F, 2, convert_row_rgb565, plain::rgb565},
    {"bgr565", 16, 0x001F, 0x07E0, 0xF800, 2, convert_row_bgr565, plain::bgr565},
    {"rgb555", 16, 0x7C00, 0x03E0, 0x001F, 2, convert_row_rgb555, plain::rgb555},
    {"bgr555", 16, 0x001F, 0x03E0, 0x7C00, 2, convert_row_bgr555, plain::bgr555},
};
constexpr int plain_format_count = sizeof plain_formats / sizeof plain_formats[0];

// Writes the destination bytes of source pixel p in format `index` to out.
inline void plain_pixel(int index, std::uint32_t p, std::uint8_t* out) {
    const std::uint32_t v = plain_formats[index].value(p);
    for (int i = 0; i < plain_formats[index].bytes; ++i) out[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// The format of that name, or null.
constexpr const PlainFormat* plain_format(std::string_view name) {
    for (const PlainFormat& f : plain_formats)
        if (name == f.name) return &f;
    return nullptr;
}
