#pragma once
// Every form of every converter, for tests and benchmarks: the scalar
// reference and each SIMD form this build has and this processor can run.
// The public convert_row_* functions are the fastest of these.
#include <cstdint>

#include "pixel_format.h"
#include "row_convert.h"

struct ConverterForm {
    const char* isa;  // "scalar", "mmx", "sse2", "avx2"
    RowConverter convert;
};

struct ConverterForms {
    const char* name;  // "rgb565"
    int bytes_per_pixel;
    std::uint32_t bit_count, red_mask, green_mask, blue_mask;  // as a screen reports the format
    RowConverter published;  // convert_row_rgb565
    RowConverter reference;  // the scalar loop
    ConverterForm forms[4];  // reference first; unused entries are null
};

// The converters in the order of the format table, with the forms that can
// run here.
const ConverterForms* converter_forms();
constexpr int converter_count = pixel_format::format_count;
