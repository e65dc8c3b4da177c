#pragma once
// The layer of this build for the algorithms that take theirs when they are
// compiled (the line blends, the 2x2 splats, the sample classification):
// simd::Vector is the SSE2 layer (simd_sse2.h) where the compiler may use
// SSE2 (x86-64, the 64-bit Windows test build too), else the one-lane layer
// (simd_scalar.h: the i686 build, WebAssembly). An algorithm asks the layer
// what it has (pixel_lanes, ...) with `if constexpr` and otherwise takes its
// scalar reference. This is the only place that asks the compiler.
//
// The row converters choose differently: by the build's converter file
// (fullscreen/CMakeLists.txt), and between SSE2 and AVX2 at run time.
#if defined(__SSE2__)
#include "simd_sse2.h"
namespace simd {
using Vector = Sse2;
}
#else
#include "simd_scalar.h"
namespace simd {
using Vector = Scalar;
}
#endif
