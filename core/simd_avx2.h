#pragma once
// The AVX2 layer: 256-bit registers. One of the thin per-instruction-set
// layers (see simd_sse2.h); it serves the row converters of the x86-64
// build (fullscreen/simd_steps.h), which use it only when the processor has
// AVX2. Include it only from a file built for AVX2 that holds nothing but
// step loops (fullscreen/row_convert_avx2.cpp): an inline function that such
// a file shared with the rest of the program could come out of it in AVX2
// encoding and then run on processors without it.
#include <immintrin.h>

#include <cstdint>

namespace simd {

struct Avx2 {
    using V = __m256i;
    static constexpr int pixels = 8;        // 32-bit pixels per register
    static constexpr int rgb24_pixels = 8;  // pixels per pack24 step
    static constexpr bool pixel_lanes = false;  // the blends and splats use the SSE2 layer
    static constexpr bool exchanges_red_blue = true;  // has swap_rb and pack24_bgr

    static V load(const std::uint32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const V*>(p)); }
    static void store(void* p, V v) { _mm256_storeu_si256(static_cast<V*>(p), v); }
    // Clears the upper halves, so that later SSE code pays no transition.
    static void done() { _mm256_zeroupper(); }

    static V set32(std::uint32_t x) { return _mm256_set1_epi32(static_cast<int>(x)); }
    static V and_(V a, V b) { return _mm256_and_si256(a, b); }
    static V or_(V a, V b) { return _mm256_or_si256(a, b); }
    template <int n> static V shl32(V a) { return _mm256_slli_epi32(a, n); }
    template <int n> static V shr32(V a) { return _mm256_srli_epi32(a, n); }
    // The 256-bit packs work per 128-bit lane; the 64-bit permute puts the
    // halves back in pixel order (a's lanes, then b's), as the other layers
    // give them.
    static V pack_s32(V a, V b) { return _mm256_permute4x64_epi64(_mm256_packs_epi32(a, b), 0xD8); }
    static V pack_u16(V a, V b) { return _mm256_permute4x64_epi64(_mm256_packus_epi16(a, b), 0xD8); }
    static V madd16(V a, V b) { return _mm256_madd_epi16(a, b); }

    // Byte shuffles within each 128-bit lane; an index of -128 clears a byte.
    static V shuffle(V p, V order) { return _mm256_shuffle_epi8(p, order); }
    // The byte order (b0, b1, b2, b3) repeated for each pixel of both lanes.
    static V lanes(std::int8_t b0, std::int8_t b1, std::int8_t b2, std::int8_t b3) {
        const auto k = [](int b) { return static_cast<char>(b); };
        return _mm256_setr_epi8(k(b0), k(b1), k(b2), k(b3), k(b0 + 4), k(b1 + 4), k(b2 + 4), k(b3 + 4), k(b0 + 8),
                                k(b1 + 8), k(b2 + 8), k(b3 + 8), k(b0 + 12), k(b1 + 12), k(b2 + 12), k(b3 + 12),
                                k(b0), k(b1), k(b2), k(b3), k(b0 + 4), k(b1 + 4), k(b2 + 4), k(b3 + 4), k(b0 + 8),
                                k(b1 + 8), k(b2 + 8), k(b3 + 8), k(b0 + 12), k(b1 + 12), k(b2 + 12), k(b3 + 12));
    }
    // Red and blue exchanged, top byte cleared: bytes 2, 1, 0, none.
    static V swap_rb(V p) { return shuffle(p, lanes(2, 1, 0, -128)); }
    // Eight pixels whose three bytes each lane has already packed into its
    // low 12 bytes (in the order wanted): the permute joins the two lanes'
    // 12 bytes into 24, stored as 16 + 8 bytes.
    static void store24(V packed_lanes, std::uint8_t* out) {
        const V joined = _mm256_permutevar8x32_epi32(packed_lanes, _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm256_castsi256_si128(joined));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 16), _mm256_extracti128_si256(joined, 1));
    }
    // Per lane: the low three bytes of each of its four pixels, then 4 zeros.
    static V rgb24_order() {
        return _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -128, -128, -128, -128,  //
                                0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -128, -128, -128, -128);
    }
    // The same with each pixel's three bytes reversed (R, G, B).
    static V bgr24_order() {
        return _mm256_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -128, -128, -128, -128,  //
                                2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -128, -128, -128, -128);
    }
    static void pack24(const std::uint32_t* source, std::uint8_t* out) {
        store24(shuffle(load(source), rgb24_order()), out);
    }
    static void pack24_bgr(const std::uint32_t* source, std::uint8_t* out) {
        store24(shuffle(load(source), bgr24_order()), out);
    }
};

}  // namespace simd
