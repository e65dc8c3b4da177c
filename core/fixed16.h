#pragma once
// 16.16 fixed point, the one vocabulary of every rasterizer: a signed 32-bit
// value with the whole part in the upper 16 bits and the fraction in the
// lower 16.
#include <cstdint>
#include <limits>

using Fixed = std::int32_t;

constexpr int fixed_shift = 16;
constexpr Fixed fixed_one = Fixed{1} << fixed_shift;  // 1.0
constexpr std::uint32_t fixed_fraction_mask = 0xFFFF;
constexpr double fixed_scale = 65536.0;  // a double becomes 16.16 as value * fixed_scale

// Returns trunc(v * 65536), toward zero. v * 65536 must lie in the 32-bit
// range; the caller has made sure of that.
inline Fixed to_fixed_unchecked(double v) { return static_cast<Fixed>(v * fixed_scale); }

// Returns trunc(v * 65536), toward zero, for any v: beyond the 32-bit range
// it saturates to INT32_MIN or INT32_MAX, and NaN gives INT32_MIN, so such a
// point fails every bounds test instead of wrapping into a picture.
inline Fixed to_fixed_saturating(double v) {
    const double scaled = v * fixed_scale;
    if (!(scaled > -2147483649.0)) return std::numeric_limits<Fixed>::min();  // also NaN
    if (!(scaled < 2147483648.0)) return std::numeric_limits<Fixed>::max();
    return static_cast<Fixed>(scaled);
}

// Returns floor(v / 65536): the whole pixel v lies in (an arithmetic shift,
// so also for negative v).
constexpr int fixed_floor(Fixed v) { return v >> fixed_shift; }

// Returns v - 65536 * floor(v / 65536): the position inside that pixel,
// 0 ... 0xFFFF.
constexpr std::uint32_t fixed_fraction(Fixed v) { return static_cast<std::uint32_t>(v) & fixed_fraction_mask; }

// Returns a + b wrapping modulo 2^32, as the 32-bit registers the stepping
// loops were made for.
constexpr Fixed fixed_wrapping_add(Fixed a, Fixed b) {
    return static_cast<Fixed>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

// Returns floor(a * b / 65536): a scaled by the 16-bit fraction b / 65536
// (a * b must fit in 32 bits).
constexpr std::uint32_t scale_by_fraction(std::uint32_t a, std::uint32_t b) { return (a * b) >> fixed_shift; }
