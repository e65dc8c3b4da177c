#pragma once
// The scalar row loop over a format description: destination pixel i is
// F::pack(source[i]), stored as F::bytes little-endian bytes at i x F::bytes.
// Also finishes the pixels a SIMD form leaves over.
#include <cstdint>
#include <cstring>
#include <type_traits>

// The low `Bytes` bytes of v at out, lowest first. Whole 16 and 32-bit
// values are one store on a little-endian processor (same bytes).
template <int Bytes>
inline void store_little_endian(std::uint8_t* out, std::uint32_t v) {
    if constexpr (Bytes != 3 && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__) {
        using Word = std::conditional_t<Bytes == 4, std::uint32_t, std::uint16_t>;
        const Word w = static_cast<Word>(v);
        std::memcpy(out, &w, Bytes);
    } else {
        out[0] = static_cast<std::uint8_t>(v);
        out[1] = static_cast<std::uint8_t>(v >> 8);
        if (Bytes > 2) out[2] = static_cast<std::uint8_t>(v >> 16);
        if (Bytes > 3) out[3] = static_cast<std::uint8_t>(v >> 24);
    }
}

template <class F>
inline void scalar_convert_row(const std::uint32_t* __restrict source, void* destination, int count) {
    // Source and destination never overlap: a frame row and a surface row.
    auto* __restrict out = static_cast<std::uint8_t*>(destination);
    for (int i = 0; i < count; ++i) store_little_endian<F::bytes>(out + i * F::bytes, F::pack(source[i]));
}

// A SIMD form: whole steps by `Steps` (which returns the pixels it did),
// then the pixels left over one at a time by the scalar formula of F.
template <int (*Steps)(const std::uint32_t*, void*, int), class F>
void simd_then_scalar(const std::uint32_t* source, void* destination, int count) {
    const int done = Steps(source, destination, count);
    scalar_convert_row<F>(source + done, static_cast<std::uint8_t*>(destination) + done * F::bytes, count - done);
}
