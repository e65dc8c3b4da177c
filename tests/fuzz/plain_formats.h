#pragma once
// The eight screen formats written out plainly, one pixel at a time, as the
// fuzz targets' reference: the bytes a converter must produce for a source
// pixel, and the masks a screen reports for each format.
#include <cstdint>

struct PlainFormat {
    const char* name;
    std::uint32_t bit_count, red_mask, green_mask, blue_mask;
    int bytes;
};

// In the order of the converter table: rgb32, bgr32, rgb24, bgr24, rgb565,
// bgr565, rgb555, bgr555.
constexpr PlainFormat plain_formats[8] = {
    {"rgb32", 32, 0xFF0000, 0x00FF00, 0x0000FF, 4}, {"bgr32", 32, 0x0000FF, 0x00FF00, 0xFF0000, 4},
    {"rgb24", 24, 0xFF0000, 0x00FF00, 0x0000FF, 3}, {"bgr24", 24, 0x0000FF, 0x00FF00, 0xFF0000, 3},
    {"rgb565", 16, 0xF800, 0x07E0, 0x001F, 2},      {"bgr565", 16, 0x001F, 0x07E0, 0xF800, 2},
    {"rgb555", 16, 0x7C00, 0x03E0, 0x001F, 2},      {"bgr555", 16, 0x001F, 0x03E0, 0x7C00, 2},
};

// Writes the destination bytes of source pixel p in format `index` to out.
inline void plain_pixel(int index, std::uint32_t p, std::uint8_t* out) {
    const std::uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    std::uint32_t v = 0;
    switch (index) {
        case 0: v = p; break;                                           // all 32 bits kept
        case 1: v = (b << 16) | (g << 8) | r; break;
        case 2: v = (r << 16) | (g << 8) | b; break;                    // bytes B G R
        case 3: v = (b << 16) | (g << 8) | r; break;                    // bytes R G B
        case 4: v = ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3); break;
        case 5: v = ((b >> 3) << 11) | ((g >> 2) << 5) | (r >> 3); break;
        case 6: v = ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3); break;
        case 7: v = ((b >> 3) << 10) | ((g >> 3) << 5) | (r >> 3); break;
    }
    for (int i = 0; i < plain_formats[index].bytes; ++i) out[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
