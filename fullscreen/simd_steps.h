#pragma once
// The SIMD converters written once over a thin instruction-set layer `Isa`:
// simd::Mmx (core/simd_mmx.h), simd::Sse2 (core/simd_sse2.h) or simd::Avx2
// (core/simd_avx2.h), instantiated by the build's converter file
// (row_convert_mmx.cpp, row_convert_sse2.cpp, row_convert_avx2.cpp). Each
// function converts whole steps only and returns the number of pixels it
// did; the caller converts the rest by the scalar formula
// (row_convert_scalar.h, also the reference every form is tested against).
// Only these templates and the layer touch vector registers, so a layer
// compiled for a newer processor shares no code with the rest of the program.
//
// The layer supplies: V (register), pixels (32-bit pixels per register),
// load/store (unaligned), set32 (the same 32 bits in every lane), and_, or_,
// shl32<n>/shr32<n> (per 32-bit lane), pack_s32 (32 -> 16 bits, signed
// saturation, a's lanes then b's), pack_u16 (16 -> 8 bits, unsigned
// saturation, same order), madd16 (pmaddwd), pack24 (rgb24_pixels pixels
// into 3 bytes each), done (leaves the SIMD state clean) and
// exchanges_red_blue (true when it has swap_rb and pack24_bgr, for the bgr32
// and bgr24 steps).
#include <cstdint>
#include <type_traits>

#include "pixel_format.h"

namespace simd_steps {

// Converts whole steps of a row and returns the number of pixels it did.
using StepForm = int (*)(const std::uint32_t* source, void* destination, int count);

// Copies 64-byte blocks: all loads of a block, then all stores.
template <class Isa>
int copy_blocks(const std::uint32_t* source, void* destination, int count) {
    using V = typename Isa::V;
    constexpr int per_block = 64 / sizeof(V);  // registers per 64-byte block
    const int blocks = count / 16;             // 16 pixels per block
    auto* out = static_cast<std::uint8_t*>(destination);
    for (int b = 0; b < blocks; ++b) {
        V r[per_block];
#pragma GCC unroll 8
        for (int k = 0; k < per_block; ++k) r[k] = Isa::load(source + k * Isa::pixels);
#pragma GCC unroll 8
        for (int k = 0; k < per_block; ++k) Isa::store(out + k * sizeof(V), r[k]);
        source += 16;
        out += 64;
    }
    Isa::done();
    return blocks * 16;
}

// The low three bytes of each pixel, packed without gaps.
template <class Isa>
int rgb24_steps(const std::uint32_t* source, void* destination, int count) {
    const int steps = count / Isa::rgb24_pixels;
    auto* out = static_cast<std::uint8_t*>(destination);
    for (int s = 0; s < steps; ++s) {
        Isa::pack24(source, out);
        source += Isa::rgb24_pixels;
        out += 3 * Isa::rgb24_pixels;
    }
    Isa::done();
    return steps * Isa::rgb24_pixels;
}

// 5-6-5 from two registers of pixels. Bits 0-10 come from the green top
// (0xFC00) and the low channel's top, shifted together and packed to words
// (they never exceed 0x7FF, so the signed pack never saturates); the high
// channel's top sits at bits 19-23 of the pixel, which is the high byte of
// its upper word, and a byte pack of those words drops it into bits 11-15.
template <class Isa, bool Bgr>
int rgb565_steps(const std::uint32_t* source, void* destination, int count) {
    using V = typename Isa::V;
    constexpr int step = 2 * Isa::pixels;
    const V blue_top = Isa::set32(0x000000F8), green_top = Isa::set32(0x0000FC00),
            red_top = Isa::set32(0x00F80000);
    const int steps = count / step;
    auto* out = static_cast<std::uint8_t*>(destination);
    for (int s = 0; s < steps; ++s) {
        V low[2], high[2];
#pragma GCC unroll 2
        for (int k = 0; k < 2; ++k) {
            const V p = Isa::load(source + k * Isa::pixels);
            const V g = Isa::and_(p, green_top), b = Isa::and_(p, blue_top), r = Isa::and_(p, red_top);
            if (Bgr) {
                low[k] = Isa::template shr32<5>(Isa::or_(g, Isa::template shr32<14>(r)));
                high[k] = Isa::template shl32<16>(b);
            } else {
                low[k] = Isa::template shr32<5>(Isa::or_(g, Isa::template shl32<2>(b)));
                high[k] = r;
            }
        }
        Isa::store(out, Isa::or_(Isa::pack_s32(low[0], low[1]), Isa::pack_u16(high[0], high[1])));
        source += step;
        out += 2 * step;
    }
    Isa::done();
    return steps * step;
}

// 5-5-5 from four registers of pixels. Masking with 0x00F800F8 leaves the
// words B & 0xF8 and R & 0xF8; one multiply-add by the word pair (8, 0x2000)
// gives (B & 0xF8) * 8 + (R & 0xF8) * 0x2000 (the pair is mirrored for
// BGR); green's top, in place at bits 11-15, is ORed in and everything
// shifted down by 6 to its 5-5-5 place.
template <class Isa, bool Bgr>
int rgb555_steps(const std::uint32_t* source, void* destination, int count) {
    using V = typename Isa::V;
    constexpr int step = 4 * Isa::pixels;
    const V red_blue_top = Isa::set32(0x00F800F8), green_top = Isa::set32(0x0000F800);
    const V multipliers = Bgr ? Isa::set32(0x2000u | (8u << 16)) : Isa::set32(8u | (0x2000u << 16));
    const int steps = count / step;
    auto* out = static_cast<std::uint8_t*>(destination);
    for (int s = 0; s < steps; ++s) {
        V v[4];
#pragma GCC unroll 4
        for (int k = 0; k < 4; ++k) {
            const V p = Isa::load(source + k * Isa::pixels);
            const V rb = Isa::madd16(Isa::and_(p, red_blue_top), multipliers);
            v[k] = Isa::template shr32<6>(Isa::or_(rb, Isa::and_(p, green_top)));
        }
        Isa::store(out, Isa::pack_s32(v[0], v[1]));
        Isa::store(out + sizeof(V), Isa::pack_s32(v[2], v[3]));
        source += step;
        out += 2 * step;
    }
    Isa::done();
    return steps * step;
}

// Red and blue exchanged, top byte 0 (layers with swap_rb only).
template <class Isa>
int bgr32_steps(const std::uint32_t* source, void* destination, int count) {
    const int steps = count / (2 * Isa::pixels);
    auto* out = static_cast<std::uint8_t*>(destination);
    for (int s = 0; s < steps; ++s) {
        const auto a = Isa::swap_rb(Isa::load(source)), b = Isa::swap_rb(Isa::load(source + Isa::pixels));
        Isa::store(out, a);
        Isa::store(out + 4 * Isa::pixels, b);
        source += 2 * Isa::pixels;
        out += 8 * Isa::pixels;
    }
    Isa::done();
    return steps * 2 * Isa::pixels;
}

// The bytes R, G, B of each pixel, packed without gaps (layers with
// pack24_bgr only).
template <class Isa>
int bgr24_steps(const std::uint32_t* source, void* destination, int count) {
    const int steps = count / Isa::rgb24_pixels;
    auto* out = static_cast<std::uint8_t*>(destination);
    for (int s = 0; s < steps; ++s) {
        Isa::pack24_bgr(source, out);
        source += Isa::rgb24_pixels;
        out += 3 * Isa::rgb24_pixels;
    }
    Isa::done();
    return steps * Isa::rgb24_pixels;
}

// The step form of format F on layer Isa, or nullptr when F has none there
// (its rows then go by the scalar loop alone). A new format of the table
// adds its line here.
template <class Isa, class F>
constexpr auto steps_for() {
    namespace pf = pixel_format;
    if constexpr (std::is_same_v<F, pf::rgb32>) return copy_blocks<Isa>;
    else if constexpr (std::is_same_v<F, pf::rgb24>) return rgb24_steps<Isa>;
    else if constexpr (std::is_same_v<F, pf::rgb565>) return rgb565_steps<Isa, false>;
    else if constexpr (std::is_same_v<F, pf::bgr565>) return rgb565_steps<Isa, true>;
    else if constexpr (std::is_same_v<F, pf::rgb555>) return rgb555_steps<Isa, false>;
    else if constexpr (std::is_same_v<F, pf::bgr555>) return rgb555_steps<Isa, true>;
    else if constexpr (std::is_same_v<F, pf::bgr32> && Isa::exchanges_red_blue) return bgr32_steps<Isa>;
    else if constexpr (std::is_same_v<F, pf::bgr24> && Isa::exchanges_red_blue) return bgr24_steps<Isa>;
    else return nullptr;
}

// Whether format F has a step form on layer Isa: told by the type steps_for
// returns, so that it is a constant on every compiler and sanitizer.
template <class Isa, class F>
constexpr bool has_steps = !std::is_null_pointer_v<decltype(steps_for<Isa, F>())>;

}  // namespace simd_steps
