#pragma once
// What the x86-64 converters (row_convert_sse2.cpp), and the forms table of
// the tests, need of the AVX2 forms.
#include <cstdint>

// The step form of format F on the AVX2 layer: converts whole steps of the
// row and returns the number of pixels it did (0 for a format that has no
// steps). Built for AVX2 in row_convert_avx2.cpp, one instance per format of
// the table: call it only when has_avx2().
template <class F>
int avx2_steps(const std::uint32_t* source, void* destination, int count);

// Whether this processor runs AVX2, asked once (row_convert_sse2.cpp, which
// is not built for AVX2).
bool has_avx2();
