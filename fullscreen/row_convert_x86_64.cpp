// Converters of the x86-64 build: the six SIMD forms with SSE2 (always
// present on x86-64), or with AVX2 when the processor has it (checked once,
// at the first call). The six step forms are those of the MMX build on wider
// registers; bgr32 and bgr24, scalar loops in the MMX build, exchange red and
// blue in registers here. Leftovers go by the scalar formula.
#include <emmintrin.h>

#include "row_convert_forms.h"
#include "row_convert_scalar.h"
#include "simd_steps.h"

// The step form of format F with AVX2 registers (row_convert_avx2.cpp, built
// for AVX2, has one for each format of the table).
template <class F>
int avx2_steps(const std::uint32_t* source, void* destination, int count);

namespace {

struct Sse2 {
    using V = __m128i;
    static constexpr int pixels = 4;
    static constexpr int rgb24_pixels = 4;
    static V load(const std::uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const V*>(p)); }
    static void store(void* p, V v) { _mm_storeu_si128(static_cast<V*>(p), v); }
    static V set32(std::uint32_t x) { return _mm_set1_epi32(static_cast<int>(x)); }
    static V and_(V a, V b) { return _mm_and_si128(a, b); }
    static V or_(V a, V b) { return _mm_or_si128(a, b); }
    template <int n> static V shl32(V a) { return _mm_slli_epi32(a, n); }
    template <int n> static V shr32(V a) { return _mm_srli_epi32(a, n); }
    static V pack_s32(V a, V b) { return _mm_packs_epi32(a, b); }
    static V pack_u16(V a, V b) { return _mm_packus_epi16(a, b); }
    static V madd16(V a, V b) { return _mm_madd_epi16(a, b); }
    static void done() {}
    static constexpr bool exchanges_red_blue = true;
    // Red and blue exchanged, top byte cleared.
    static V swap_rb(V p) {
        const V green = and_(p, set32(0x0000FF00));
        return or_(or_(_mm_srli_epi32(_mm_slli_epi32(p, 8), 24), green), _mm_slli_epi32(and_(p, set32(0xFF)), 16));
    }
    // Four pixels: masked to 24 bits, each pair joined into 6 bytes of its
    // 64-bit half, the upper half moved down against the lower: 12 bytes,
    // written as one 8-byte and one 4-byte store.
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
};

// Asked on first use, so that converters called from static initializers
// elsewhere (before this file's own) see the right answer.
bool has_avx2() {
    static const bool answer = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return answer;
}

template <class F>
constexpr StepForm sse2_steps = simd_steps::steps_for<Sse2, F>();

// The converter the programs use: AVX2 steps when the processor has them,
// else SSE2. The copy stays with 16-byte registers: 32-byte moves measured
// slower here (a 1280-byte row is load and store bound either way).
template <class F>
void fastest(const std::uint32_t* s, void* d, int n) {
    if constexpr (simd_steps::has_steps<Sse2, F> && !F::copies_source) {
        if (has_avx2()) return simd_then_scalar<avx2_steps<F>, F>(s, d, n);
    }
    simd_then_scalar<sse2_steps<F>, F>(s, d, n);
}

// SSE2, and AVX2 when this processor has it (the two layers have the same
// step forms).
template <class F>
void simd_forms(ConverterForm* forms, RowConverter) {
    if constexpr (simd_steps::has_steps<Sse2, F>) {
        forms[0] = {"sse2", simd_then_scalar<sse2_steps<F>, F>};
        if (has_avx2()) forms[1] = {"avx2", simd_then_scalar<avx2_steps<F>, F>};
    }
}

}  // namespace

#include "row_convert_publish.h"
