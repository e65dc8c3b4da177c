#pragma once
// The line blends with the four bytes of a pixel as four 16-bit lanes of one
// register: a multiply that keeps the high 16 bits of each product, a
// doubling, and an unsigned saturating byte addition onto the pixel. Written
// once over the build's layer (core/simd_select.h: the SSE2 layer of
// core/simd_sse2.h); a build whose layer has no pixel lanes (i686,
// WebAssembly) takes the byte-by-byte references of line_blend.h instead,
// which every lane form equals bit for bit.
#include <cstdint>

#include "line_blend.h"
#include "simd_select.h"

namespace pixel_lanes {

// add_weighted on the colour's bytes widened to the low four 16-bit lanes:
// pixel bytes + 2*floor(c*w / 65536), saturated at 255. c*w / 65536 stays
// below 128 for w <= 32767, so the byte pack is exact.
template <class L>
inline std::uint32_t add_weighted(std::uint32_t pixel, typename L::V color, std::uint32_t weight) {
    typename L::V added = L::mulhi_u16(color, L::set16(weight));
    added = L::add16(added, added);
    return L::to_u32(L::adds_u8(L::from_u32(pixel), L::pack_u16(added, added)));
}

// add_split: with a = floor(c*floor(f/2) / 65536), the far pixel gets 2a and
// the near one 2*(floor(c/2) - a); both pixels in one register, the near one
// in bytes 0-3 and the far one in bytes 8-11.
template <class L>
inline void add_split(std::uint32_t& near_pixel, std::uint32_t& far_pixel, typename L::V color,
                      std::uint32_t fraction) {
    using V = typename L::V;
    const V a = L::mulhi_u16(color, L::set16(fraction >> 1));
    const V near_half = L::sub16(L::template shr16<1>(color), a);
    const V added = L::pack_u16(L::add16(near_half, near_half), L::add16(a, a));
    const V sum = L::adds_u8(L::join64(L::from_u32(near_pixel), L::from_u32(far_pixel)), added);
    near_pixel = L::to_u32(sum);
    far_pixel = L::to_u32(L::template bytes_down<8>(sum));
}

}  // namespace pixel_lanes

// The colour of a line as the blends below take it, made once per line: its
// bytes widened to 16-bit lanes, or (without pixel lanes) the colour itself.
template <class L = simd::Vector, bool = L::pixel_lanes>
struct LaneColorOf {
    std::uint32_t packed;
};
template <class L>
struct LaneColorOf<L, true> {
    typename L::V wide;
};
using LaneColor = LaneColorOf<>;

template <class L = simd::Vector>
inline LaneColorOf<L> lane_color(std::uint32_t color) {
    if constexpr (L::pixel_lanes)
        return {L::widen_u8(L::from_u32(color))};
    else
        return {color};
}

// add_weighted of line_blend.h, in lanes where the layer has them.
template <class L>
inline std::uint32_t lanes_add_weighted(std::uint32_t pixel, LaneColorOf<L> color, std::uint32_t weight) {
    if constexpr (L::pixel_lanes)
        return pixel_lanes::add_weighted<L>(pixel, color.wide, weight);
    else
        return add_weighted(pixel, color.packed, weight);
}

// add_split of line_blend.h, in lanes where the layer has them.
template <class L>
inline void lanes_add_split(std::uint32_t& near_pixel, std::uint32_t& far_pixel, LaneColorOf<L> color,
                            std::uint32_t fraction) {
    if constexpr (L::pixel_lanes)
        pixel_lanes::add_split<L>(near_pixel, far_pixel, color.wide, fraction);
    else
        add_split(near_pixel, far_pixel, color.packed, fraction);
}
