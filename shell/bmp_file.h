#pragma once
// BMP pictures of frames: the format every Windows opens without a library.
#include <cstdint>
#include <vector>

// The whole file of a 24-bit BMP of width x height 0x00RRGGBB pixels: the
// 14-byte file header, the 40-byte information header, then the rows from
// the bottom up, each pixel as the bytes blue, green, red, each row padded
// with zeros to a multiple of 4 bytes.
std::vector<std::uint8_t> encode_bmp24(const std::uint32_t* pixels, int width, int height);
