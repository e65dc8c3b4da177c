// The converters of the x86-64 build: the step forms of simd_steps.h over
// the SSE2 layer (core/simd_sse2.h; every x86-64 processor has it), or over
// the AVX2 layer (row_convert_avx2.cpp) when the processor has AVX2, asked
// once, at the first call. They are the six forms of the MMX build on wider
// registers, and bgr32 and bgr24, scalar loops in the MMX build, exchange
// red and blue in registers here. Leftover pixels go by the scalar formula.
#include "row_convert_avx2.h"
#include "row_convert_fastest.h"
#include "row_convert_scalar.h"
#include "simd_sse2.h"
#include "simd_steps.h"

namespace {

// Asked on first use, so that converters called from static initializers
// elsewhere (before this file's own) see the right answer. Internal, so that
// each row's check stays inline: one test of a flag.
inline bool processor_has_avx2() {
    static const bool answer = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return answer;
}

template <class F>
constexpr StepForm sse2_steps = simd_steps::steps_for<simd::Sse2, F>();

}  // namespace

bool has_avx2() { return processor_has_avx2(); }

// AVX2 steps when the processor has them, else SSE2. The copy stays with
// 16-byte registers: 32-byte moves measured slower here (a 1280-byte row is
// load and store bound either way).
template <class F>
void convert_row_fastest(const std::uint32_t* s, void* d, int n) {
    if constexpr (simd_steps::has_steps<simd::Sse2, F> && !F::copies_source) {
        if (processor_has_avx2()) return simd_then_scalar<avx2_steps<F>, F>(s, d, n);
    }
    simd_then_scalar<sse2_steps<F>, F>(s, d, n);
}

PIXEL_FORMATS(CONVERT_ROW_FASTEST_INSTANCE)
