#pragma once
// The MMX layer: 64-bit integer registers, the SIMD of the Pentium MMX the
// Win32 build is made for. One of the thin per-instruction-set layers (see
// simd_sse2.h); it serves the row converters only (fullscreen/simd_steps.h,
// in the Windows builds' fullscreen/row_convert_mmx.cpp). MMX lacks the
// unsigned 16-bit multiply of the line blends and splats, so those take
// their references there. Its users end every step loop with done()
// (EMMS), because the program computes with x87 floating point between
// converter calls.
#include <mmintrin.h>

#include <cstdint>
#include <cstring>

namespace simd {

struct Mmx {
    using V = __m64;
    static constexpr int pixels = 2;        // 32-bit pixels per register
    static constexpr int rgb24_pixels = 4;  // pixels per pack24 step
    static constexpr bool pixel_lanes = false;
    static constexpr bool exchanges_red_blue = false;  // bgr32 and bgr24 stay scalar loops

    // 64-bit moves (movq) through MMX registers, which need no alignment.
    // Written out, because a plain copy of an __m64 would otherwise go
    // through pairs of 32-bit registers and the stack.
    using Unaligned = V __attribute__((aligned(1)));
    static V load(const std::uint32_t* p) {
        V v;
        __asm__("movq %1, %0" : "=y"(v) : "m"(*reinterpret_cast<const Unaligned*>(p)));
        return v;
    }
    static void store(void* p, V v) { __asm__("movq %1, %0" : "=m"(*static_cast<Unaligned*>(p)) : "y"(v)); }
    static void done() { _mm_empty(); }

    static V set32(std::uint32_t x) { return _mm_set1_pi32(static_cast<int>(x)); }
    static V and_(V a, V b) { return _mm_and_si64(a, b); }
    static V or_(V a, V b) { return _mm_or_si64(a, b); }
    template <int n> static V shl32(V a) { return _mm_slli_pi32(a, n); }
    template <int n> static V shr32(V a) { return _mm_srli_pi32(a, n); }
    // 32 -> 16 bits with signed saturation: a's lanes, then b's.
    static V pack_s32(V a, V b) { return _mm_packs_pi32(a, b); }
    // 16 -> 8 bits with unsigned saturation: a's lanes, then b's.
    static V pack_u16(V a, V b) { return _mm_packs_pu16(a, b); }
    // Per 32-bit lane: lo(a) * lo(b) + hi(a) * hi(b) of its signed 16-bit halves.
    static V madd16(V a, V b) { return _mm_madd_pi16(a, b); }

    // Four pixels' low three bytes packed without gaps into 12 bytes: two
    // loads masked to 24 bits each, shifted and ORed together, written as
    // one 8-byte and one 4-byte store.
    static void pack24(const std::uint32_t* source, std::uint8_t* out) {
        const V low24x2 = _mm_set_pi32(0x00FFFFFF, 0x00FFFFFF);
        const V low24 = _mm_set_pi32(0, 0x00FFFFFF);
        const V a = and_(load(source), low24x2), b = and_(load(source + 2), low24x2);
        const V first = or_(or_(and_(a, low24), _mm_slli_si64(_mm_srli_si64(a, 32), 24)), _mm_slli_si64(b, 48));
        const V second = or_(_mm_srli_si64(and_(b, low24), 16), _mm_slli_si64(_mm_srli_si64(b, 32), 8));
        store(out, first);
        const int tail = _mm_cvtsi64_si32(second);
        std::memcpy(out + 8, &tail, 4);
    }
};

}  // namespace simd
