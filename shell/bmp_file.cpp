#include "bmp_file.h"

#include <cstddef>

#include "rgb.h"

namespace {

constexpr std::size_t file_header_size = 14;
constexpr std::size_t info_header_size = 40;
constexpr std::uint32_t pixels_per_metre = 2835;  // 72 dots per inch

// Little-endian fields, written byte by byte so the host's order never matters.
void put16(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}
void put32(std::uint8_t* at, std::uint32_t value) {
    put16(at, value & 0xFFFF);
    put16(at + 2, value >> 16);
}

}  // namespace

std::vector<std::uint8_t> encode_bmp24(const std::uint32_t* pixels, int width, int height) {
    const std::size_t row_bytes = (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
    const std::size_t offset = file_header_size + info_header_size;
    std::vector<std::uint8_t> file(offset + row_bytes * height, 0);
    std::uint8_t* header = file.data();
    header[0] = 'B';
    header[1] = 'M';
    put32(header + 2, static_cast<std::uint32_t>(file.size()));
    put32(header + 10, static_cast<std::uint32_t>(offset));
    std::uint8_t* info = header + file_header_size;
    put32(info + 0, info_header_size);
    put32(info + 4, static_cast<std::uint32_t>(width));
    put32(info + 8, static_cast<std::uint32_t>(height));  // positive: bottom-up rows
    put16(info + 12, 1);                                   // planes
    put16(info + 14, 24);                                  // bits per pixel; compression 0 (none)
    put32(info + 20, static_cast<std::uint32_t>(row_bytes * height));
    put32(info + 24, pixels_per_metre);
    put32(info + 28, pixels_per_metre);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = pixels + static_cast<std::size_t>(height - 1 - y) * width;
        std::uint8_t* out = file.data() + offset + row_bytes * y;
        for (int x = 0; x < width; ++x) {
            out[x * 3 + 0] = static_cast<std::uint8_t>(blue(row[x]));
            out[x * 3 + 1] = static_cast<std::uint8_t>(green(row[x]));
            out[x * 3 + 2] = static_cast<std::uint8_t>(red(row[x]));
        }
    }
    return file;
}
