#pragma once
// 2x2 splats with each channel of the four pixels a 16-bit lane: the four
// weights and the blends of all four pixels at once, written once over the
// build's layer (core/simd_select.h: the SSE2 layer of core/simd_sse2.h).
// They give the same bits as splat_weights and blend_splat_pixel
// (curve_plot.h), the reference:
//   w    = floor(a * b / 65536) of two 16-bit fractions (the high half of
//          a 16 x 16-bit product),
//   new  = floor((old * (0xFFFF - w) + c * w) / 65536), with both 32-bit
//          products taken as high and low halves and the carry of the low
//          halves' sum added to the high halves' sum (at most 0xFEFF01 in
//          all, so the result fits a byte).
// The top byte of each pixel comes out 0, as pack_rgb makes it. A build
// whose layer has no pixel lanes (i686, WebAssembly) draws by the reference
// (splat_lanes_available is false there).
#include <cstddef>
#include <cstdint>

#include "curve_plot.h"
#include "fixed16.h"
#include "simd_select.h"

constexpr bool splat_lanes_available = simd::Vector::pixel_lanes;

// A 2x2 block of pixels in two registers, each channel a 16-bit lane: the
// top row (X, Y), (X + 1, Y) and the bottom row (X, Y + 1), (X + 1, Y + 1).
template <class L>
struct SplatBlock {
    typename L::V top, bottom;
};

// The block whose pixel (X, Y) is p; the row below starts pitch pixels later
// (pitch > 1, so the four pixels are distinct). Pixel by pixel: successive
// splats overlap, and 32-bit loads of what an earlier splat stored forward
// from its 32-bit stores.
template <class L>
inline SplatBlock<L> load_splat_block(const std::uint32_t* p, int pitch) {
    const std::uint32_t* below = p + pitch;
    return {L::widen_u8(L::join32(L::from_u32(p[0]), L::from_u32(p[1]))),
            L::widen_u8(L::join32(L::from_u32(below[0]), L::from_u32(below[1])))};
}

template <class L>
inline void store_splat_block(std::uint32_t* p, int pitch, const SplatBlock<L>& block) {
    const typename L::V bytes = L::pack_u16(block.top, block.bottom);
    std::uint32_t* below = p + pitch;
    p[0] = L::to_u32(bytes);
    p[1] = L::to_u32(L::template bytes_down<4>(bytes));
    below[0] = L::to_u32(L::template bytes_down<8>(bytes));
    below[1] = L::to_u32(L::template bytes_down<12>(bytes));
}

// The colour as 16-bit lanes of two pixels, made once per segment; its top
// byte's lanes are 0.
template <class L>
inline typename L::V splat_color_lanes(std::uint32_t color) {
    return L::widen_u8(L::set32(color & 0x00FFFFFFu));
}

// The splat at fractions (fx, fy) of the block's top-left pixel.
template <class L>
inline SplatBlock<L> blend_splat_block(const SplatBlock<L>& block, typename L::V c, std::uint32_t fx,
                                       std::uint32_t fy) {
    using V = typename L::V;
    const V fx8 = L::set16(fx), fy8 = L::set16(fy);
    const V ones = L::set16(0xFFFF);
    const V ifx8 = L::xor_(fx8, ones), ify8 = L::xor_(fy8, ones);  // 0xFFFF - f
    const V across = L::join64(ifx8, fx8);  // the left pixel's lanes, then the right one's
    // Blue, green and red of each pixel; the top byte's lane gets weight 0
    // and keeps 0: 0 * old + 0 * c.
    const V channels = L::set64(0x0000FFFFFFFFFFFFu);
    const V w_top = L::mulhi_u16(ify8, across), w_bottom = L::mulhi_u16(fy8, across);
    auto blend = [&](V old16, V w) {
        const V keep = L::and_not(w, channels);  // 0xFFFF - w, 0 in the top lane
        const V low_a = L::mullo16(old16, keep), low_b = L::mullo16(c, w);
        const V high = L::add16(L::mulhi_u16(old16, keep), L::mulhi_u16(c, w));
        const V low = L::add16(low_a, low_b);
        // The low halves carried when their sum wrapped below one of them;
        // the all-ones lanes of the comparison are -1.
        return L::sub16(high, L::greater_u16(low_a, low));
    };
    return {blend(block.top, w_top), blend(block.bottom, w_bottom)};
}

// The splats of one segment: n samples from (x, y) in steps (sx, sy), every
// block inside the buffer and pitch > 1. While successive splats stay on the
// same four pixels (about every other one, at two samples per pixel) the
// block stays in the registers; it goes back to memory before the splat
// moves on. Without pixel lanes: splat by splat by the reference.
template <class L = simd::Vector>
inline void splat_run_lanes(std::int32_t x, std::int32_t y, std::int32_t sx, std::int32_t sy, std::uint32_t n,
                            std::uint32_t color, std::uint32_t* buffer, int pitch) {
    std::uint32_t* at = nullptr;
    if constexpr (L::pixel_lanes) {
        const typename L::V c = splat_color_lanes<L>(color);
        SplatBlock<L> block{};
        for (std::uint32_t k = 0; k < n; ++k) {
            std::uint32_t* p = buffer + static_cast<std::ptrdiff_t>(fixed_floor(y)) * pitch + fixed_floor(x);
            if (p != at) {
                if (at) store_splat_block<L>(at, pitch, block);
                block = load_splat_block<L>(p, pitch);
                at = p;
            }
            block = blend_splat_block<L>(block, c, fixed_fraction(x), fixed_fraction(y));
            x = fixed_wrapping_add(x, sx);
            y = fixed_wrapping_add(y, sy);
        }
        if (at) store_splat_block<L>(at, pitch, block);
    } else {
        for (std::uint32_t k = 0; k < n; ++k) {
            at = buffer + static_cast<std::ptrdiff_t>(fixed_floor(y)) * pitch + fixed_floor(x);
            const SplatWeights w = splat_weights(fixed_fraction(x), fixed_fraction(y));
            at[0] = blend_splat_pixel(at[0], color, w.top_left);
            at[1] = blend_splat_pixel(at[1], color, w.top_right);
            at[pitch + 1] = blend_splat_pixel(at[pitch + 1], color, w.bottom_right);
            at[pitch] = blend_splat_pixel(at[pitch], color, w.bottom_left);
            x = fixed_wrapping_add(x, sx);
            y = fixed_wrapping_add(y, sy);
        }
    }
}
