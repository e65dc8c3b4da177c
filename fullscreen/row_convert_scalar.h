#pragma once
// The scalar row loop over a format description: destination pixel i is
// F::pack(source[i]), stored as F::bytes little-endian bytes at i x F::bytes.
// Also finishes the pixels a SIMD form leaves over. F is a format of the
// table in pixel_format.h.
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

// Pixel by pixel by F's formula.
template <class F>
inline void scalar_pixels(const std::uint32_t* __restrict source, void* destination, int count) {
    // Source and destination never overlap: a frame row and a surface row.
    auto* __restrict out = static_cast<std::uint8_t*>(destination);
    for (int i = 0; i < count; ++i) store_little_endian<F::bytes>(out + i * F::bytes, F::pack(source[i]));
}

// The scalar reference of F: a format that keeps the source's layout is a
// straight copy of all 32 bits.
template <class F>
inline void scalar_convert_row(const std::uint32_t* source, void* destination, int count) {
    if constexpr (F::copies_source) {
        if (count > 0) std::memcpy(destination, source, static_cast<std::size_t>(count) * 4);
    } else {
        scalar_pixels<F>(source, destination, count);
    }
}

// A SIMD step form: converts whole steps of a row and returns the pixels it did.
using StepForm = int (*)(const std::uint32_t* source, void* destination, int count);

// Whole steps by `Steps`, then the pixels left over one at a time by the
// scalar formula of F. Without a step form (null), the scalar loop alone.
template <StepForm Steps, class F>
void simd_then_scalar(const std::uint32_t* source, void* destination, int count) {
    // A plain test (folded away when optimising): comparing a function's
    // address with null is no constant expression under the sanitizers.
    if (Steps == nullptr) {
        scalar_convert_row<F>(source, destination, count);
    } else {
        const int done = Steps(source, destination, count);
        scalar_pixels<F>(source + done, static_cast<std::uint8_t*>(destination) + done * F::bytes, count - done);
    }
}
