// Converters of the i686 build: the six SIMD forms with 64-bit MMX
// registers, each ending with EMMS (the scenes compute with floating point
// between presents); bgr32 and bgr24 are scalar loops.
#include <mmintrin.h>

#include <cstring>

#include "row_convert_forms.h"
#include "row_convert_scalar.h"
#include "simd_steps.h"

namespace {

struct Mmx {
    using V = __m64;
    static constexpr int pixels = 2;
    static constexpr int rgb24_pixels = 4;
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
    static V set32(std::uint32_t x) { return _mm_set1_pi32(static_cast<int>(x)); }
    static V and_(V a, V b) { return _mm_and_si64(a, b); }
    static V or_(V a, V b) { return _mm_or_si64(a, b); }
    template <int n> static V shl32(V a) { return _mm_slli_pi32(a, n); }
    template <int n> static V shr32(V a) { return _mm_srli_pi32(a, n); }
    static V pack_s32(V a, V b) { return _mm_packs_pi32(a, b); }
    static V pack_u16(V a, V b) { return _mm_packs_pu16(a, b); }
    static V madd16(V a, V b) { return _mm_madd_pi16(a, b); }
    static void done() { _mm_empty(); }
    static constexpr bool exchanges_red_blue = false;  // bgr32 and bgr24 stay scalar loops
    // Four pixels: two loads masked to 24 bits each, shifted and ORed into
    // 12 bytes, written as one 8-byte and one 4-byte store.
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

// The converter the programs use: MMX steps where the format has them.
template <class F>
void fastest(const std::uint32_t* s, void* d, int n) {
    simd_then_scalar<simd_steps::steps_for<Mmx, F>(), F>(s, d, n);
}

// The published converter is the MMX form.
template <class F>
void simd_forms(ConverterForm* forms, RowConverter published) {
    if constexpr (simd_steps::has_steps<Mmx, F>) forms[0] = {"mmx", published};
}

}  // namespace

#include "row_convert_publish.h"
