#pragma once
// The SSE2 layer: 128-bit registers, which every x86-64 processor has. One
// of the thin per-instruction-set layers (simd_mmx.h, simd_sse2.h,
// simd_avx2.h, simd_scalar.h) over which each SIMD algorithm is written
// once:
//   - the row converters (fullscreen/simd_steps.h), in the x86-64 build's
//     fullscreen/row_convert_sse2.cpp: 32-bit lanes, packs, pack24, swap_rb;
//   - the line blends (metaballs/pixel_lanes.h) and the 2x2 splats
//     (effects/splat_lanes.h): a pixel's four bytes as four 16-bit lanes;
//   - the sample classification (metaballs/contours.cpp): four floats.
// The blends, splats and classification reach it through simd_select.h,
// which alone decides whether a build may use it. Every operation is one
// instruction or a short fixed sequence and rounds nowhere: all are exact
// integer or comparison results, stated with each.
#include <emmintrin.h>

#include <cstdint>

namespace simd {

struct Sse2 {
    using V = __m128i;
    static constexpr int pixels = 4;        // 32-bit pixels per register
    static constexpr int rgb24_pixels = 4;  // pixels per pack24 step
    static constexpr bool pixel_lanes = true;
    static constexpr bool exchanges_red_blue = true;  // has swap_rb and pack24_bgr

    // Whole registers, unaligned.
    static V load(const std::uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const V*>(p)); }
    static void store(void* p, V v) { _mm_storeu_si128(static_cast<V*>(p), v); }
    static void done() {}  // no state to clear

    // Bit operations. and_not(a, b) is ~a & b.
    static V and_(V a, V b) { return _mm_and_si128(a, b); }
    static V or_(V a, V b) { return _mm_or_si128(a, b); }
    static V xor_(V a, V b) { return _mm_xor_si128(a, b); }
    static V and_not(V a, V b) { return _mm_andnot_si128(a, b); }

    // --- 32-bit lanes (the converters) ---
    static V set32(std::uint32_t x) { return _mm_set1_epi32(static_cast<int>(x)); }
    template <int n> static V shl32(V a) { return _mm_slli_epi32(a, n); }
    template <int n> static V shr32(V a) { return _mm_srli_epi32(a, n); }
    // 32 -> 16 bits with signed saturation: a's lanes, then b's.
    static V pack_s32(V a, V b) { return _mm_packs_epi32(a, b); }
    // 16 -> 8 bits with unsigned saturation (a negative word gives 0): a's
    // lanes, then b's.
    static V pack_u16(V a, V b) { return _mm_packus_epi16(a, b); }
    // Per 32-bit lane: lo(a) * lo(b) + hi(a) * hi(b) of its signed 16-bit halves.
    static V madd16(V a, V b) { return _mm_madd_epi16(a, b); }

    // Red and blue exchanged, top byte cleared: 0x00BBGGRR from 0x??RRGGBB.
    static V swap_rb(V p) {
        const V green = and_(p, set32(0x0000FF00));
        return or_(or_(_mm_srli_epi32(_mm_slli_epi32(p, 8), 24), green), _mm_slli_epi32(and_(p, set32(0xFF)), 16));
    }
    // Four pixels' low three bytes packed without gaps into 12 bytes: each
    // pair joined into 6 bytes of its 64-bit half, the upper half moved down
    // against the lower, written as one 8-byte and one 4-byte store.
    static void store24(V pixels, std::uint8_t* out) {
        const V p = and_(pixels, set32(0x00FFFFFF));
        const V low_dwords = _mm_set_epi32(0, -1, 0, -1);
        const V pairs = or_(and_(p, low_dwords), _mm_slli_epi64(_mm_srli_epi64(p, 32), 24));
        const V low_qword = _mm_set_epi32(0, 0, -1, -1), high_qword = _mm_set_epi32(-1, -1, 0, 0);
        const V joined = or_(and_(pairs, low_qword), _mm_srli_si128(and_(pairs, high_qword), 2));
        _mm_storel_epi64(reinterpret_cast<V*>(out), joined);
        const int tail = _mm_cvtsi128_si32(_mm_srli_si128(joined, 8));
        __builtin_memcpy(out + 8, &tail, 4);
    }
    static void pack24(const std::uint32_t* source, std::uint8_t* out) { store24(load(source), out); }
    static void pack24_bgr(const std::uint32_t* source, std::uint8_t* out) { store24(swap_rb(load(source)), out); }

    // --- 16-bit lanes of pixel bytes (the line blends and the splats) ---
    // x in the low 32 bits, the rest 0; and back: the low 32 bits.
    static V from_u32(std::uint32_t x) { return _mm_cvtsi32_si128(static_cast<int>(x)); }
    static std::uint32_t to_u32(V v) { return static_cast<std::uint32_t>(_mm_cvtsi128_si32(v)); }
    static V set16(std::uint32_t x) { return _mm_set1_epi16(static_cast<short>(x)); }  // the low 16 bits of x
    static V set64(std::uint64_t x) { return _mm_set1_epi64x(static_cast<long long>(x)); }
    // The low 8 bytes, each zero-extended to a 16-bit lane.
    static V widen_u8(V a) { return _mm_unpacklo_epi8(a, _mm_setzero_si128()); }
    // The low 32 bits of a, then of b (bits 0-63); and the low 64 bits of a, then of b.
    static V join32(V a, V b) { return _mm_unpacklo_epi32(a, b); }
    static V join64(V a, V b) { return _mm_unpacklo_epi64(a, b); }
    // The register moved down by n bytes, zeros coming in at the top.
    template <int n> static V bytes_down(V a) { return _mm_srli_si128(a, n); }
    // Per 16-bit lane, modulo 2^16: a + b, a - b, and the low half of a * b.
    static V add16(V a, V b) { return _mm_add_epi16(a, b); }
    static V sub16(V a, V b) { return _mm_sub_epi16(a, b); }
    static V mullo16(V a, V b) { return _mm_mullo_epi16(a, b); }
    // Per 16-bit lane: floor(a * b / 65536) of the unsigned lanes.
    static V mulhi_u16(V a, V b) { return _mm_mulhi_epu16(a, b); }
    template <int n> static V shr16(V a) { return _mm_srli_epi16(a, n); }
    // Per 16-bit lane: all ones where a > b as unsigned values, else 0
    // (SSE2 compares signed words only: both are moved by 0x8000 first).
    static V greater_u16(V a, V b) {
        const V sign = set16(0x8000);
        return _mm_cmpgt_epi16(xor_(a, sign), xor_(b, sign));
    }
    // Per byte: min(a + b, 255).
    static V adds_u8(V a, V b) { return _mm_adds_epu8(a, b); }

    // --- float lanes (the sample classification) ---
    using F32 = __m128;
    static constexpr int f32_lanes = 4;
    static F32 load_f32(const float* p) { return _mm_loadu_ps(p); }
    static F32 set_f32(float x) { return _mm_set1_ps(x); }
    // Bit i set when lane i of a is greater than lane i of b (false for NaN).
    static std::uint32_t greater_mask(F32 a, F32 b) {
        return static_cast<std::uint32_t>(_mm_movemask_ps(_mm_cmpgt_ps(a, b)));
    }
};

}  // namespace simd
