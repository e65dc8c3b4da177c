#pragma once
// The scalar row loop over a format description: destination pixel i is
// F::pack(source[i]), stored as F::bytes little-endian bytes at i x F::bytes.
// Also finishes the pixels a SIMD form leaves over.
#include <cstdint>

template <class F>
inline void scalar_convert_row(const std::uint32_t* source, void* destination, int count) {
    auto* out = static_cast<std::uint8_t*>(destination);
    for (int i = 0; i < count; ++i) {
        const std::uint32_t v = F::pack(source[i]);
        for (int b = 0; b < F::bytes; ++b) *out++ = static_cast<std::uint8_t>(v >> (8 * b));
    }
}

// A SIMD form: whole steps by `Steps` (which returns the pixels it did),
// then the pixels left over one at a time by the scalar formula of F.
template <int (*Steps)(const std::uint32_t*, void*, int), class F>
void simd_then_scalar(const std::uint32_t* source, void* destination, int count) {
    const int done = Steps(source, destination, count);
    scalar_convert_row<F>(source + done, static_cast<std::uint8_t*>(destination) + done * F::bytes, count - done);
}
