// The SIMD forms of the Windows builds: the published converter is the MMX
// form itself (row_convert_mmx.cpp), where the format has MMX steps.
#include "converter_forms.h"
#include "simd_mmx.h"
#include "simd_steps.h"

template <class F>
void simd_forms(ConverterForm* slots, RowConverter published) {
    if constexpr (simd_steps::has_steps<simd::Mmx, F>) slots[0] = {"mmx", published};
}

PIXEL_FORMATS(SIMD_FORMS_INSTANCE)
