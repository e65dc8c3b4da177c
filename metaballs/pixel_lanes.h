#pragma once
// The line blends with the four bytes of a pixel as four 16-bit lanes of one
// register: a multiply that keeps the high 16 bits of each product, a
// doubling, and an unsigned saturating byte addition onto the pixel. Each
// gives the same bits as add_weighted and add_split of aaline.h (where every
// byte is worked out on its own), which stay as the reference.
#include <cstdint>

#include "aaline.h"

#if defined(__SSE2__)
#include <emmintrin.h>

// The colour with its bytes widened to 16-bit lanes, made once per line.
struct LaneColor {
    __m128i wide;
};

inline LaneColor lane_color(std::uint32_t color) {
    return {_mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(color)), _mm_setzero_si128())};
}

// add_weighted: pixel bytes + 2*floor(c*w / 65536), saturated at 255.
// c*w / 65536 stays below 128 for w <= 32767, so the byte pack is exact.
inline std::uint32_t lanes_add_weighted(std::uint32_t pixel, LaneColor color, std::uint32_t weight) {
    __m128i added = _mm_mulhi_epu16(color.wide, _mm_set1_epi16(static_cast<short>(weight)));
    added = _mm_add_epi16(added, added);
    const __m128i sum = _mm_adds_epu8(_mm_cvtsi32_si128(static_cast<int>(pixel)), _mm_packus_epi16(added, added));
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(sum));
}

// add_split: with a = floor(c*floor(f/2) / 65536), the far pixel gets 2a and
// the near one 2*(floor(c/2) - a); both pixels in one register.
inline void lanes_add_split(std::uint32_t& near_pixel, std::uint32_t& far_pixel, LaneColor color,
                            std::uint32_t fraction) {
    const __m128i a = _mm_mulhi_epu16(color.wide, _mm_set1_epi16(static_cast<short>(fraction >> 1)));
    const __m128i near_half = _mm_sub_epi16(_mm_srli_epi16(color.wide, 1), a);
    const __m128i added = _mm_packus_epi16(_mm_add_epi16(near_half, near_half), _mm_add_epi16(a, a));
    const __m128i pixels = _mm_unpacklo_epi64(_mm_cvtsi32_si128(static_cast<int>(near_pixel)),
                                              _mm_cvtsi32_si128(static_cast<int>(far_pixel)));
    const __m128i sum = _mm_adds_epu8(pixels, added);
    near_pixel = static_cast<std::uint32_t>(_mm_cvtsi128_si32(sum));
    far_pixel = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(sum, 8)));
}

#else
// Without SSE2: the byte-by-byte reference itself.
struct LaneColor {
    std::uint32_t packed;
};
inline LaneColor lane_color(std::uint32_t color) { return {color}; }
inline std::uint32_t lanes_add_weighted(std::uint32_t pixel, LaneColor color, std::uint32_t weight) {
    return add_weighted(pixel, color.packed, weight);
}
inline void lanes_add_split(std::uint32_t& near_pixel, std::uint32_t& far_pixel, LaneColor color,
                            std::uint32_t fraction) {
    add_split(near_pixel, far_pixel, color.packed, fraction);
}
#endif
