#pragma once
// One whole 2x2 splat in SSE2 registers: the four weights and the blends of
// all four pixels at once, each channel a 16-bit lane. Gives the same bits
// as splat_weights and blend_splat_pixel (curve_plot.h), the reference:
//   w    = floor(a * b / 65536) of two 16-bit fractions (the high half of
//          a 16 x 16-bit product),
//   new  = floor((old * (0xFFFF - w) + c * w) / 65536), with both 32-bit
//          products taken as high and low halves and the carry of the low
//          halves' sum added to the high halves' sum (at most 0xFEFF01 in
//          all, so the result fits a byte).
// The top byte of each pixel comes out 0, as pack_rgb makes it.
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>

constexpr bool splat_lanes_available = true;

// The splat at fractions (fx, fy) of the top-left pixel p; the row below
// starts pitch pixels later (pitch > 1, so the four pixels are distinct).
inline void splat_four_lanes(std::uint32_t* p, int pitch, std::uint32_t color, std::uint32_t fx, std::uint32_t fy) {
    const __m128i ones = _mm_set1_epi16(-1);
    const __m128i fx4 = _mm_set1_epi16(static_cast<short>(fx)), fy4 = _mm_set1_epi16(static_cast<short>(fy));
    const __m128i ifx4 = _mm_xor_si128(fx4, ones), ify4 = _mm_xor_si128(fy4, ones);  // 0xFFFF - f
    const __m128i across = _mm_unpacklo_epi64(ifx4, fx4);  // left pixel's lanes, then the right one's
    const __m128i w_top = _mm_mulhi_epu16(ify4, across), w_bottom = _mm_mulhi_epu16(fy4, across);

    const __m128i zero = _mm_setzero_si128();
    const __m128i c = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(color & 0x00FFFFFFu)), zero);
    std::uint32_t* below = p + pitch;
    // Pixel by pixel: successive splats overlap by one pixel, and 32-bit
    // loads of what the last splat stored forward from its 32-bit stores.
    const __m128i old = _mm_set_epi32(static_cast<int>(below[1]), static_cast<int>(below[0]), static_cast<int>(p[1]),
                                      static_cast<int>(p[0]));
    const __m128i sign = _mm_set1_epi16(static_cast<short>(0x8000));
    auto blend = [&](__m128i old16, __m128i w) {
        const __m128i keep = _mm_xor_si128(w, ones);
        const __m128i low_a = _mm_mullo_epi16(old16, keep), low_b = _mm_mullo_epi16(c, w);
        const __m128i high = _mm_add_epi16(_mm_mulhi_epu16(old16, keep), _mm_mulhi_epu16(c, w));
        const __m128i low = _mm_add_epi16(low_a, low_b);
        // The low halves carried when their sum wrapped below one of them.
        const __m128i carry = _mm_cmpgt_epi16(_mm_xor_si128(low_a, sign), _mm_xor_si128(low, sign));
        return _mm_sub_epi16(high, carry);
    };
    const __m128i top = blend(_mm_unpacklo_epi8(old, zero), w_top);
    const __m128i bottom = blend(_mm_unpackhi_epi8(old, zero), w_bottom);
    const __m128i result = _mm_and_si128(_mm_packus_epi16(top, bottom), _mm_set1_epi32(0x00FFFFFF));
    p[0] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(result));
    p[1] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(result, 4)));
    below[0] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(result, 8)));
    below[1] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(result, 12)));
}
#else
constexpr bool splat_lanes_available = false;
inline void splat_four_lanes(std::uint32_t*, int, std::uint32_t, std::uint32_t, std::uint32_t) {}
#endif
