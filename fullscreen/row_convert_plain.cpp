// Converters for processors without the x86 SIMD forms: the scalar loops.
#include "row_convert_forms.h"
#include "row_convert_scalar.h"

namespace {

template <class F>
void fastest(const std::uint32_t* s, void* d, int n) {
    scalar_convert_row<F>(s, d, n);
}

template <class F>
void simd_forms(ConverterForm*, RowConverter) {}

}  // namespace

#include "row_convert_publish.h"
