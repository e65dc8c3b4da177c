// The SIMD forms of the x86-64 build: SSE2 steps (core/simd_sse2.h), and
// the product's AVX2 steps (row_convert_avx2.cpp) when this processor has
// AVX2; both finish with the scalar formula, as the published converter does.
#include "converter_forms.h"
#include "row_convert_avx2.h"
#include "row_convert_scalar.h"
#include "simd_sse2.h"
#include "simd_steps.h"

namespace {

template <class F>
constexpr StepForm sse2_steps = simd_steps::steps_for<simd::Sse2, F>();

}  // namespace

template <class F>
void simd_forms(ConverterForm* slots, RowConverter) {
    if constexpr (simd_steps::has_steps<simd::Sse2, F>) {
        slots[0] = {"sse2", simd_then_scalar<sse2_steps<F>, F>};
        if (has_avx2()) slots[1] = {"avx2", simd_then_scalar<avx2_steps<F>, F>};
    }
}

PIXEL_FORMATS(SIMD_FORMS_INSTANCE)
