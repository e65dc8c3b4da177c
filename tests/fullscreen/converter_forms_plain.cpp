// Builds without the x86 layers have no SIMD forms: the reference alone.
#include "converter_forms.h"

template <class F>
void simd_forms(ConverterForm*, RowConverter) {}

PIXEL_FORMATS(SIMD_FORMS_INSTANCE)
