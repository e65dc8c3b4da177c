#pragma once
// Every form of every converter, for tests and benchmarks: the scalar
// reference and each SIMD form this build has and this processor can run.
// The public convert_row_* functions are the fastest of these.
#include <cstdint>

#include "row_convert.h"

// Scalar references, one pixel per step by the format's formula.
void scalar_convert_row_rgb32(const std::uint32_t* source, void* destination, int count);
void scalar_convert_row_bgr32(const std::uint32_t* source, void* destination, int count);
void scalar_convert_row_rgb24(const std::uint32_t* source, void* destination, int count);
void scalar_convert_row_bgr24(const std::uint32_t* source, void* destination, int count);
void scalar_convert_row_rgb565(const std::uint32_t* source, void* destination, int count);
void scalar_convert_row_bgr565(const std::uint32_t* source, void* destination, int count);
void scalar_convert_row_rgb555(const std::uint32_t* source, void* destination, int count);
void scalar_convert_row_bgr555(const std::uint32_t* source, void* destination, int count);

struct ConverterForm {
    const char* isa;  // "scalar", "mmx", "sse2", "avx2"
    RowConverter convert;
};

struct ConverterForms {
    const char* name;       // "rgb565"
    int bytes_per_pixel;
    RowConverter published;  // convert_row_rgb565
    RowConverter reference;  // scalar_convert_row_rgb565
    ConverterForm forms[4];  // reference first; unused entries are null
};

// The eight converters in the order of the format table, with the forms
// that can run here.
const ConverterForms* converter_forms();
constexpr int converter_count = 8;
