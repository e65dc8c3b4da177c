// Converters of the x86-64 build: the six SIMD forms with SSE2 (always
// present on x86-64), or with AVX2 when the processor has it (checked once,
// at the first call). The six step forms are those of the MMX build on wider
// registers; bgr32 and bgr24, scalar loops in the MMX build, exchange red and
// blue in registers here. Leftovers go by the scalar formula.
#include <emmintrin.h>

#include "pixel_format.h"
#include "row_convert_forms.h"
#include "row_convert_scalar.h"
#include "simd_steps.h"

SIMD_STEPS_DECLARE(avx2)  // row_convert_avx2.cpp, built for AVX2
SIMD_BGR_STEPS_DECLARE(avx2)

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

SIMD_STEPS_DEFINE(sse2, Sse2)
SIMD_BGR_STEPS_DEFINE(sse2, Sse2)

namespace pf = pixel_format;

// Asked on first use, so that converters called from static initializers
// elsewhere (before this file's own) see the right answer.
bool has_avx2() {
    static const bool answer = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return answer;
}

template <int (*Sse2Steps)(const std::uint32_t*, void*, int), int (*Avx2Steps)(const std::uint32_t*, void*, int),
          class F>
void widest(const std::uint32_t* s, void* d, int n) {
    if (has_avx2())
        simd_then_scalar<Avx2Steps, F>(s, d, n);
    else
        simd_then_scalar<Sse2Steps, F>(s, d, n);
}

}  // namespace

// The copy stays with 16-byte registers: 32-byte moves measured slower here
// (a 1280-byte row is load and store bound either way).
void convert_row_rgb32(const std::uint32_t* s, void* d, int n) { simd_then_scalar<sse2_rgb32_steps, pf::Copy32>(s, d, n); }
void convert_row_bgr32(const std::uint32_t* s, void* d, int n) { widest<sse2_bgr32_steps, avx2_bgr32_steps, pf::Bgr32>(s, d, n); }
void convert_row_rgb24(const std::uint32_t* s, void* d, int n) { widest<sse2_rgb24_steps, avx2_rgb24_steps, pf::Rgb24>(s, d, n); }
void convert_row_bgr24(const std::uint32_t* s, void* d, int n) { widest<sse2_bgr24_steps, avx2_bgr24_steps, pf::Bgr24>(s, d, n); }
void convert_row_rgb565(const std::uint32_t* s, void* d, int n) { widest<sse2_rgb565_steps, avx2_rgb565_steps, pf::Rgb565>(s, d, n); }
void convert_row_bgr565(const std::uint32_t* s, void* d, int n) { widest<sse2_bgr565_steps, avx2_bgr565_steps, pf::Bgr565>(s, d, n); }
void convert_row_rgb555(const std::uint32_t* s, void* d, int n) { widest<sse2_rgb555_steps, avx2_rgb555_steps, pf::Rgb555>(s, d, n); }
void convert_row_bgr555(const std::uint32_t* s, void* d, int n) { widest<sse2_bgr555_steps, avx2_bgr555_steps, pf::Bgr555>(s, d, n); }

namespace {

// One converter's forms: scalar, SSE2, and AVX2 when this processor has it.
template <int (*Sse2Steps)(const std::uint32_t*, void*, int), int (*Avx2Steps)(const std::uint32_t*, void*, int),
          class F>
ConverterForms simd_forms(const char* name, RowConverter published, RowConverter reference) {
    return {name, F::bytes, published, reference,
            {{"scalar", reference},
             {"sse2", simd_then_scalar<Sse2Steps, F>},
             {has_avx2() ? "avx2" : nullptr, has_avx2() ? simd_then_scalar<Avx2Steps, F> : nullptr}}};
}

}  // namespace

const ConverterForms* converter_forms() {
    static const ConverterForms table[converter_count] = {
        simd_forms<sse2_rgb32_steps, avx2_rgb32_steps, pf::Copy32>("rgb32", convert_row_rgb32, scalar_convert_row_rgb32),
        simd_forms<sse2_bgr32_steps, avx2_bgr32_steps, pf::Bgr32>("bgr32", convert_row_bgr32, scalar_convert_row_bgr32),
        simd_forms<sse2_rgb24_steps, avx2_rgb24_steps, pf::Rgb24>("rgb24", convert_row_rgb24, scalar_convert_row_rgb24),
        simd_forms<sse2_bgr24_steps, avx2_bgr24_steps, pf::Bgr24>("bgr24", convert_row_bgr24, scalar_convert_row_bgr24),
        simd_forms<sse2_rgb565_steps, avx2_rgb565_steps, pf::Rgb565>("rgb565", convert_row_rgb565, scalar_convert_row_rgb565),
        simd_forms<sse2_bgr565_steps, avx2_bgr565_steps, pf::Bgr565>("bgr565", convert_row_bgr565, scalar_convert_row_bgr565),
        simd_forms<sse2_rgb555_steps, avx2_rgb555_steps, pf::Rgb555>("rgb555", convert_row_rgb555, scalar_convert_row_rgb555),
        simd_forms<sse2_bgr555_steps, avx2_bgr555_steps, pf::Bgr555>("bgr555", convert_row_bgr555, scalar_convert_row_bgr555),
    };
    return table;
}
