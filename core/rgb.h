#pragma once
// The pixel of every drawing buffer: 32 bits, 0x00RRGGBB (blue in the low
// byte, top byte 0). Channels are read and packed with shifts and masks, so
// no code depends on the byte order of the machine.
#include <cstdint>

constexpr std::uint32_t red(std::uint32_t p) { return (p >> 16) & 0xFFu; }
constexpr std::uint32_t green(std::uint32_t p) { return (p >> 8) & 0xFFu; }
constexpr std::uint32_t blue(std::uint32_t p) { return p & 0xFFu; }

// The byte of p at bit `shift` (0, 8, 16 or 24), for code that treats the
// four bytes of a pixel alike.
constexpr std::uint32_t byte_at(std::uint32_t p, int shift) { return (p >> shift) & 0xFFu; }

// Packs the low 8 bits of each channel; the top byte is 0.
constexpr std::uint32_t pack_rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return ((r & 0xFFu) << 16) | ((g & 0xFFu) << 8) | (b & 0xFFu);
}
