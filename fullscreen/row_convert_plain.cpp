// The converters of builds for processors without the x86 layers: the
// scalar reference itself (row_convert_scalar.h).
#include "row_convert_fastest.h"
#include "row_convert_scalar.h"

template <class F>
void convert_row_fastest(const std::uint32_t* s, void* d, int n) {
    scalar_convert_row<F>(s, d, n);
}

PIXEL_FORMATS(CONVERT_ROW_FASTEST_INSTANCE)
