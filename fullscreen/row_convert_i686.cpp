// Converters of the i686 build: the six SIMD forms with 64-bit MMX
// registers, each ending with EMMS (the scenes compute with floating point
// between presents); bgr32 and bgr24 are scalar loops.
#include <mmintrin.h>

#include <cstring>

#include "pixel_format.h"
#include "row_convert_forms.h"
#include "row_convert_scalar.h"
#include "simd_steps.h"

namespace {

struct Mmx {
    using V = __m64;
    static constexpr int pixels = 2;
    static constexpr int rgb24_pixels = 4;
    // 64-bit moves (movq) through MMX registers, which need no alignment.
    // Written out, because a plain copy of an __m64 would otherwise go
    // through pairs of 32-bit registers and the stack.
    using Unaligned = V __attribute__((aligned(1)));
    static V load(const std::uint32_t* p) {
        V v;
        __asm__("movq %1, %0" : "=y"(v) : "m"(*reinterpret_cast<const Unaligned*>(p)));
        return v;
    }
    static void store(void* p, V v) { __asm__("movq %1, %0" : "=m"(*static_cast<Unaligned*>(p)) : "y"(v)); }
    static V set32(std::uint32_t x) { return _mm_set1_pi32(static_cast<int>(x)); }
    static V and_(V a, V b) { return _mm_and_si64(a, b); }
    static V or_(V a, V b) { return _mm_or_si64(a, b); }
    template <int n> static V shl32(V a) { return _mm_slli_pi32(a, n); }
    template <int n> static V shr32(V a) { return _mm_srli_pi32(a, n); }
    static V pack_s32(V a, V b) { return _mm_packs_pi32(a, b); }
    static V pack_u16(V a, V b) { return _mm_packs_pu16(a, b); }
    static V madd16(V a, V b) { return _mm_madd_pi16(a, b); }
    static void done() { _mm_empty(); }
    // Four pixels: two loads masked to 24 bits each, shifted and ORed into
    // 12 bytes, written as one 8-byte and one 4-byte store.
    static void pack24(const std::uint32_t* source, std::uint8_t* out) {
        const V low24x2 = _mm_set_pi32(0x00FFFFFF, 0x00FFFFFF);
        const V low24 = _mm_set_pi32(0, 0x00FFFFFF);
        const V a = and_(load(source), low24x2), b = and_(load(source + 2), low24x2);
        const V first = or_(or_(and_(a, low24), _mm_slli_si64(_mm_srli_si64(a, 32), 24)), _mm_slli_si64(b, 48));
        const V second = or_(_mm_srli_si64(and_(b, low24), 16), _mm_slli_si64(_mm_srli_si64(b, 32), 8));
        store(out, first);
        const int tail = _mm_cvtsi64_si32(second);
        std::memcpy(out + 8, &tail, 4);
    }
};

SIMD_STEPS_DEFINE(mmx, Mmx)

namespace pf = pixel_format;

}  // namespace

void convert_row_rgb32(const std::uint32_t* s, void* d, int n) { simd_then_scalar<mmx_rgb32_steps, pf::Copy32>(s, d, n); }
void convert_row_bgr32(const std::uint32_t* s, void* d, int n) { scalar_convert_row_bgr32(s, d, n); }
void convert_row_rgb24(const std::uint32_t* s, void* d, int n) { simd_then_scalar<mmx_rgb24_steps, pf::Rgb24>(s, d, n); }
void convert_row_bgr24(const std::uint32_t* s, void* d, int n) { scalar_convert_row_bgr24(s, d, n); }
void convert_row_rgb565(const std::uint32_t* s, void* d, int n) { simd_then_scalar<mmx_rgb565_steps, pf::Rgb565>(s, d, n); }
void convert_row_bgr565(const std::uint32_t* s, void* d, int n) { simd_then_scalar<mmx_bgr565_steps, pf::Bgr565>(s, d, n); }
void convert_row_rgb555(const std::uint32_t* s, void* d, int n) { simd_then_scalar<mmx_rgb555_steps, pf::Rgb555>(s, d, n); }
void convert_row_bgr555(const std::uint32_t* s, void* d, int n) { simd_then_scalar<mmx_bgr555_steps, pf::Bgr555>(s, d, n); }

const ConverterForms* converter_forms() {
    static const ConverterForms table[converter_count] = {
        {"rgb32", 4, convert_row_rgb32, scalar_convert_row_rgb32, {{"scalar", scalar_convert_row_rgb32}, {"mmx", convert_row_rgb32}}},
        {"bgr32", 4, convert_row_bgr32, scalar_convert_row_bgr32, {{"scalar", scalar_convert_row_bgr32}}},
        {"rgb24", 3, convert_row_rgb24, scalar_convert_row_rgb24, {{"scalar", scalar_convert_row_rgb24}, {"mmx", convert_row_rgb24}}},
        {"bgr24", 3, convert_row_bgr24, scalar_convert_row_bgr24, {{"scalar", scalar_convert_row_bgr24}}},
        {"rgb565", 2, convert_row_rgb565, scalar_convert_row_rgb565, {{"scalar", scalar_convert_row_rgb565}, {"mmx", convert_row_rgb565}}},
        {"bgr565", 2, convert_row_bgr565, scalar_convert_row_bgr565, {{"scalar", scalar_convert_row_bgr565}, {"mmx", convert_row_bgr565}}},
        {"rgb555", 2, convert_row_rgb555, scalar_convert_row_rgb555, {{"scalar", scalar_convert_row_rgb555}, {"mmx", convert_row_rgb555}}},
        {"bgr555", 2, convert_row_bgr555, scalar_convert_row_bgr555, {{"scalar", scalar_convert_row_bgr555}, {"mmx", convert_row_bgr555}}},
    };
    return table;
}
