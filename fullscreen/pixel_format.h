#pragma once
// The screen formats the converters produce, described once: bytes per pixel
// and, per channel, how many top bits are kept and where they land. Every
// scalar converter is the same loop over one of these descriptions.
#include <cstdint>

namespace pixel_format {

constexpr std::uint32_t red(std::uint32_t p) { return (p >> 16) & 0xFF; }
constexpr std::uint32_t green(std::uint32_t p) { return (p >> 8) & 0xFF; }
constexpr std::uint32_t blue(std::uint32_t p) { return p & 0xFF; }

// A channel of 8 bits reduced to its top `Bits` bits, placed at bit `Shift`.
template <int Bits, int Shift>
struct Channel {
    static constexpr std::uint32_t place(std::uint32_t value8) { return (value8 >> (8 - Bits)) << Shift; }
    static constexpr std::uint32_t mask = ((1u << Bits) - 1u) << Shift;
};

template <int Bytes, class Red, class Green, class Blue>
struct Format {
    static constexpr int bytes = Bytes;
    static constexpr std::uint32_t red_mask = Red::mask, green_mask = Green::mask, blue_mask = Blue::mask;
    // The destination pixel of source pixel p; its low `Bytes` bytes are
    // stored little-endian.
    static constexpr std::uint32_t pack(std::uint32_t p) {
        return Red::place(red(p)) | Green::place(green(p)) | Blue::place(blue(p));
    }
};

using Rgb32 = Format<4, Channel<8, 16>, Channel<8, 8>, Channel<8, 0>>;
using Bgr32 = Format<4, Channel<8, 0>, Channel<8, 8>, Channel<8, 16>>;
using Rgb24 = Format<3, Channel<8, 16>, Channel<8, 8>, Channel<8, 0>>;
using Bgr24 = Format<3, Channel<8, 0>, Channel<8, 8>, Channel<8, 16>>;
using Rgb565 = Format<2, Channel<5, 11>, Channel<6, 5>, Channel<5, 0>>;
using Bgr565 = Format<2, Channel<5, 0>, Channel<6, 5>, Channel<5, 11>>;
using Rgb555 = Format<2, Channel<5, 10>, Channel<5, 5>, Channel<5, 0>>;
using Bgr555 = Format<2, Channel<5, 0>, Channel<5, 5>, Channel<5, 10>>;

}  // namespace pixel_format

namespace pixel_format {
// All 32 bits as they are (the 32-bit RGB screen format keeps the top byte).
struct Copy32 {
    static constexpr int bytes = 4;
    static constexpr std::uint32_t pack(std::uint32_t p) { return p; }
};
}  // namespace pixel_format
