#pragma once
// The converter the programs use for format F (pixel_format.h): whatever
// this build's fastest form is, bit-identical to the scalar reference
// (row_convert_scalar.h). row_convert.cpp makes each convert_row_NAME of it.
// Defined, and instantiated for every format of the table, by the one
// converter file that the build compiles (fullscreen/CMakeLists.txt):
//   row_convert_mmx.cpp    the Windows builds: MMX (core/simd_mmx.h);
//   row_convert_sse2.cpp   x86-64: SSE2 (core/simd_sse2.h), AVX2 when the
//                          processor has it (row_convert_avx2.cpp);
//   row_convert_plain.cpp  any other processor: the scalar reference.
#include <cstdint>

#include "pixel_format.h"

template <class F>
void convert_row_fastest(const std::uint32_t* source, void* destination, int count);

// The instance for one line of PIXEL_FORMATS, for the converter file:
// PIXEL_FORMATS(CONVERT_ROW_FASTEST_INSTANCE) after its definition.
#define CONVERT_ROW_FASTEST_INSTANCE(name, ...) \
    template void convert_row_fastest<pixel_format::name>(const std::uint32_t*, void*, int);
