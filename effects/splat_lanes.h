#pragma once
// 2x2 splats in SSE2 registers: the four weights and the blends of all four
// pixels at once, each channel a 16-bit lane. Gives the same bits
// as splat_weights and blend_splat_pixel (curve_plot.h), the reference:
//   w    = floor(a * b / 65536) of two 16-bit fractions (the high half of
//          a 16 x 16-bit product),
//   new  = floor((old * (0xFFFF - w) + c * w) / 65536), with both 32-bit
//          products taken as high and low halves and the carry of the low
//          halves' sum added to the high halves' sum (at most 0xFEFF01 in
//          all, so the result fits a byte).
// The top byte of each pixel comes out 0, as pack_rgb makes it.
#include <cstddef>
#include <cstdint>

#include "fixed16.h"

#if defined(__SSE2__)
#include <emmintrin.h>

constexpr bool splat_lanes_available = true;

// A 2x2 block of pixels in one register: (X, Y), (X + 1, Y), (X, Y + 1),
// (X + 1, Y + 1), each channel a 16-bit lane, in two halves (top row, bottom
// row). p is pixel (X, Y); the row below starts pitch pixels later (pitch >
// 1, so the four pixels are distinct).
struct SplatBlock {
    __m128i top, bottom;
};

// Pixel by pixel: successive splats overlap, and 32-bit loads of what an
// earlier splat stored forward from its 32-bit stores.
inline SplatBlock load_splat_block(const std::uint32_t* p, int pitch) {
    const std::uint32_t* below = p + pitch;
    const __m128i zero = _mm_setzero_si128();
    const __m128i top = _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(p[0])), _mm_cvtsi32_si128(static_cast<int>(p[1])));
    const __m128i bottom =
        _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(below[0])), _mm_cvtsi32_si128(static_cast<int>(below[1])));
    return {_mm_unpacklo_epi8(top, zero), _mm_unpacklo_epi8(bottom, zero)};
}

inline void store_splat_block(std::uint32_t* p, int pitch, const SplatBlock& block) {
    const __m128i bytes = _mm_packus_epi16(block.top, block.bottom);
    std::uint32_t* below = p + pitch;
    p[0] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(bytes));
    p[1] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(bytes, 4)));
    below[0] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(bytes, 8)));
    below[1] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(bytes, 12)));
}

// The colour as 16-bit lanes, made once per segment; its top byte's lane is 0.
inline __m128i splat_color_lanes(std::uint32_t color) {
    return _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(color & 0x00FFFFFFu)), _mm_setzero_si128());
}

// The splat at fractions (fx, fy) of the block's top-left pixel.
inline SplatBlock blend_splat_block(const SplatBlock& block, __m128i c, std::uint32_t fx, std::uint32_t fy) {
    const __m128i ones = _mm_set1_epi16(-1);
    const __m128i fx4 = _mm_set1_epi16(static_cast<short>(fx)), fy4 = _mm_set1_epi16(static_cast<short>(fy));
    const __m128i ifx4 = _mm_xor_si128(fx4, ones), ify4 = _mm_xor_si128(fy4, ones);  // 0xFFFF - f
    const __m128i across = _mm_unpacklo_epi64(ifx4, fx4);  // left pixel's lanes, then the right one's
    // The top byte's lane gets weight 0 and keeps 0: 0 * old + 0 * c.
    const __m128i channels = _mm_set_epi16(0, -1, -1, -1, 0, -1, -1, -1);
    const __m128i w_top = _mm_mulhi_epu16(ify4, across), w_bottom = _mm_mulhi_epu16(fy4, across);
    const __m128i sign = _mm_set1_epi16(static_cast<short>(0x8000));
    auto blend = [&](__m128i old16, __m128i w) {
        const __m128i keep = _mm_andnot_si128(w, channels);  // 0xFFFF - w, 0 in the top lane
        const __m128i low_a = _mm_mullo_epi16(old16, keep), low_b = _mm_mullo_epi16(c, w);
        const __m128i high = _mm_add_epi16(_mm_mulhi_epu16(old16, keep), _mm_mulhi_epu16(c, w));
        const __m128i low = _mm_add_epi16(low_a, low_b);
        // The low halves carried when their sum wrapped below one of them.
        const __m128i carry = _mm_cmpgt_epi16(_mm_xor_si128(low_a, sign), _mm_xor_si128(low, sign));
        return _mm_sub_epi16(high, carry);
    };
    return {blend(block.top, w_top), blend(block.bottom, w_bottom)};
}

// One whole splat: load, blend, store.
inline void splat_four_lanes(std::uint32_t* p, int pitch, std::uint32_t color, std::uint32_t fx, std::uint32_t fy) {
    store_splat_block(p, pitch, blend_splat_block(load_splat_block(p, pitch), splat_color_lanes(color), fx, fy));
}

// The splats of one segment: n samples from (x, y) in steps (sx, sy), every
// block inside the buffer. While successive splats stay on the same four
// pixels (about every other one, at two samples per pixel) the block stays
// in the register; it goes back to memory before the splat moves on.
inline void splat_run_lanes(std::int32_t x, std::int32_t y, std::int32_t sx, std::int32_t sy, std::uint32_t n,
                            std::uint32_t color, std::uint32_t* buffer, int pitch) {
    const __m128i c = splat_color_lanes(color);
    std::uint32_t* at = nullptr;
    SplatBlock block{};
    for (std::uint32_t k = 0; k < n; ++k) {
        std::uint32_t* p = buffer + static_cast<std::ptrdiff_t>(fixed_floor(y)) * pitch + fixed_floor(x);
        if (p != at) {
            if (at) store_splat_block(at, pitch, block);
            block = load_splat_block(p, pitch);
            at = p;
        }
        block = blend_splat_block(block, c, fixed_fraction(x), fixed_fraction(y));
        x = fixed_wrapping_add(x, sx);
        y = fixed_wrapping_add(y, sy);
    }
    if (at) store_splat_block(at, pitch, block);
}
#else
constexpr bool splat_lanes_available = false;
inline void splat_four_lanes(std::uint32_t*, int, std::uint32_t, std::uint32_t, std::uint32_t) {}
inline void splat_run_lanes(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::uint32_t, std::uint32_t,
                            std::uint32_t*, int) {}
#endif
