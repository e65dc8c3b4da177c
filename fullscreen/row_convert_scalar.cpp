// Scalar converters (the reference every SIMD form is tested against) and
// the choice of converter for a screen format.
#include <cstring>

#include "pixel_format.h"
#include "row_convert_forms.h"
#include "row_convert_scalar.h"

namespace pf = pixel_format;

void scalar_convert_row_rgb32(const std::uint32_t* source, void* destination, int count) {
    // All 32 bits carried over: a straight copy.
    if (count > 0) std::memcpy(destination, source, static_cast<std::size_t>(count) * 4);
}
void scalar_convert_row_bgr32(const std::uint32_t* source, void* destination, int count) {
    scalar_convert_row<pf::Bgr32>(source, destination, count);
}
void scalar_convert_row_rgb24(const std::uint32_t* source, void* destination, int count) {
    scalar_convert_row<pf::Rgb24>(source, destination, count);
}
void scalar_convert_row_bgr24(const std::uint32_t* source, void* destination, int count) {
    scalar_convert_row<pf::Bgr24>(source, destination, count);
}
void scalar_convert_row_rgb565(const std::uint32_t* source, void* destination, int count) {
    scalar_convert_row<pf::Rgb565>(source, destination, count);
}
void scalar_convert_row_bgr565(const std::uint32_t* source, void* destination, int count) {
    scalar_convert_row<pf::Bgr565>(source, destination, count);
}
void scalar_convert_row_rgb555(const std::uint32_t* source, void* destination, int count) {
    scalar_convert_row<pf::Rgb555>(source, destination, count);
}
void scalar_convert_row_bgr555(const std::uint32_t* source, void* destination, int count) {
    scalar_convert_row<pf::Bgr555>(source, destination, count);
}

namespace {

struct FormatRow {
    std::uint32_t bit_count, red_mask, green_mask, blue_mask;
    RowConverter converter;
};

template <class F>
constexpr FormatRow row(std::uint32_t bit_count, RowConverter converter) {
    return {bit_count, F::red_mask, F::green_mask, F::blue_mask, converter};
}

// The supported screen formats, bit count first: 32, then 24, then 16.
const FormatRow format_table[] = {
    row<pf::Rgb32>(32, convert_row_rgb32),   row<pf::Bgr32>(32, convert_row_bgr32),
    row<pf::Rgb24>(24, convert_row_rgb24),   row<pf::Bgr24>(24, convert_row_bgr24),
    row<pf::Rgb565>(16, convert_row_rgb565), row<pf::Bgr565>(16, convert_row_bgr565),
    row<pf::Rgb555>(16, convert_row_rgb555), row<pf::Bgr555>(16, convert_row_bgr555),
};

}  // namespace

RowConverter choose_converter(std::uint32_t bit_count, std::uint32_t red_mask, std::uint32_t green_mask,
                              std::uint32_t blue_mask) {
    for (const FormatRow& f : format_table) {
        if (f.bit_count != bit_count) continue;
        if (f.red_mask == red_mask && f.green_mask == green_mask && f.blue_mask == blue_mask) return f.converter;
    }
    return nullptr;
}
