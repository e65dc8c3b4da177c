#pragma once
// The one-lane layer: plain C++ on single values, for builds that may
// assume no vector unit (the i686 build, WebAssembly). One of the thin
// per-instruction-set layers (see simd_sse2.h). It has only what an
// algorithm gains from being written over a layer at one lane: the float
// comparisons of the sample classification (metaballs/contours.cpp). The
// line blends and splats have no one-lane form (pixel_lanes is false) and
// take their byte-by-byte references instead.
#include <cstdint>

namespace simd {

struct Scalar {
    static constexpr bool pixel_lanes = false;

    using F32 = float;
    static constexpr int f32_lanes = 1;
    static F32 load_f32(const float* p) { return *p; }
    static F32 set_f32(float x) { return x; }
    // 1 when a is greater than b, else 0 (0 for NaN).
    static std::uint32_t greater_mask(F32 a, F32 b) { return a > b ? 1u : 0u; }
};

}  // namespace simd
