// The AVX2 layer of the x86-64 SIMD converters. This file alone is built
// for AVX2 and is only called when the processor has it; it holds nothing
// but the step loops (no scalar or library code that other files could
// share), so no AVX2 instruction leaks into code that runs everywhere.
#include <immintrin.h>

#include "simd_steps.h"

namespace {

struct Avx2 {
    using V = __m256i;
    static constexpr int pixels = 8;
    static constexpr int rgb24_pixels = 8;
    static V load(const std::uint32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const V*>(p)); }
    static void store(void* p, V v) { _mm256_storeu_si256(static_cast<V*>(p), v); }
    static V set32(std::uint32_t x) { return _mm256_set1_epi32(static_cast<int>(x)); }
    static V and_(V a, V b) { return _mm256_and_si256(a, b); }
    static V or_(V a, V b) { return _mm256_or_si256(a, b); }
    template <int n> static V shl32(V a) { return _mm256_slli_epi32(a, n); }
    template <int n> static V shr32(V a) { return _mm256_srli_epi32(a, n); }
    // The 256-bit packs work per 128-bit lane; the 64-bit permute puts the
    // halves back in pixel order (a's lanes, then b's).
    static V pack_s32(V a, V b) { return _mm256_permute4x64_epi64(_mm256_packs_epi32(a, b), 0xD8); }
    static V pack_u16(V a, V b) { return _mm256_permute4x64_epi64(_mm256_packus_epi16(a, b), 0xD8); }
    static V madd16(V a, V b) { return _mm256_madd_epi16(a, b); }
    static void done() { _mm256_zeroupper(); }
    static constexpr bool exchanges_red_blue = true;
    // Byte shuffles within each 128-bit lane; 0x80 clears a byte.
    static V shuffle(V p, V order) { return _mm256_shuffle_epi8(p, order); }
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

}  // namespace

// The step form of format F with AVX2 registers; 0 pixels done for a format
// that has none. One instance per format of the table, for
// row_convert_x86_64.cpp.
template <class F>
int avx2_steps(const std::uint32_t* source, void* destination, int count) {
    if constexpr (simd_steps::has_steps<Avx2, F>) return simd_steps::steps_for<Avx2, F>()(source, destination, count);
    return 0;
}

#define AVX2_STEPS_INSTANCE(name, ...) \
    template int avx2_steps<pixel_format::name>(const std::uint32_t*, void*, int);
PIXEL_FORMATS(AVX2_STEPS_INSTANCE)
#undef AVX2_STEPS_INSTANCE
