// The converters of the Windows builds (the shipped i686 one and the
// 64-bit test build): the six step forms of simd_steps.h over the MMX layer
// (core/simd_mmx.h), each ending with EMMS; bgr32 and bgr24 have none there
// and are the scalar loops. Leftover pixels go by the scalar formula. In the
// i686 build this file is compiled without SSE (fullscreen/CMakeLists.txt),
// so that the steps stay in MMX registers.
#include "row_convert_fastest.h"
#include "row_convert_scalar.h"
#include "simd_mmx.h"
#include "simd_steps.h"

template <class F>
void convert_row_fastest(const std::uint32_t* s, void* d, int n) {
    simd_then_scalar<simd_steps::steps_for<simd::Mmx, F>(), F>(s, d, n);
}

PIXEL_FORMATS(CONVERT_ROW_FASTEST_INSTANCE)
