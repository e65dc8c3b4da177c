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
    // Eight pixels: in each 128-bit lane four pixels become 12 bytes as in
    // the SSE2 form; the two lanes are stored one after the other.
    static void pack24(const std::uint32_t* source, std::uint8_t* out) {
        const V p = and_(load(source), set32(0x00FFFFFF));
        const V low_dwords = _mm256_set_epi32(0, -1, 0, -1, 0, -1, 0, -1);
        const V pairs = or_(and_(p, low_dwords), _mm256_slli_epi64(_mm256_srli_epi64(p, 32), 24));
        const V low_qwords = _mm256_set_epi32(0, 0, -1, -1, 0, 0, -1, -1);
        const V high_qwords = _mm256_set_epi32(-1, -1, 0, 0, -1, -1, 0, 0);
        const V joined = or_(and_(pairs, low_qwords), _mm256_srli_si256(and_(pairs, high_qwords), 2));
        const __m128i lane0 = _mm256_castsi256_si128(joined), lane1 = _mm256_extracti128_si256(joined, 1);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), lane0);
        int tail = _mm_cvtsi128_si32(_mm_srli_si128(lane0, 8));
        __builtin_memcpy(out + 8, &tail, 4);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 12), lane1);
        tail = _mm_cvtsi128_si32(_mm_srli_si128(lane1, 8));
        __builtin_memcpy(out + 20, &tail, 4);
    }
};

}  // namespace

SIMD_STEPS_DEFINE(avx2, Avx2)
