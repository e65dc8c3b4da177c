// The AVX2 step forms of the x86-64 converters: simd_steps.h over the AVX2
// layer (core/simd_avx2.h). This file alone is built for AVX2 and is only
// called when the processor has it (row_convert_sse2.cpp asks); it holds
// nothing but the step loops (no scalar or library code that other files
// could share), so no AVX2 instruction leaks into code that runs everywhere.
#include "row_convert_avx2.h"

#include "pixel_format.h"
#include "simd_avx2.h"
#include "simd_steps.h"

template <class F>
int avx2_steps(const std::uint32_t* source, void* destination, int count) {
    if constexpr (simd_steps::has_steps<simd::Avx2, F>)
        return simd_steps::steps_for<simd::Avx2, F>()(source, destination, count);
    return 0;
}

#define AVX2_STEPS_INSTANCE(name, ...) \
    template int avx2_steps<pixel_format::name>(const std::uint32_t*, void*, int);
PIXEL_FORMATS(AVX2_STEPS_INSTANCE)
#undef AVX2_STEPS_INSTANCE
