#pragma once
// Every form of every row converter, for the converter tests, the fuzz
// target and the benchmark: the scalar reference and each SIMD form that
// this build has and this processor can run, beside the published
// convert_row_NAME (the fastest of them). The SIMD forms are made here from
// the product's step forms and layers (fullscreen/simd_steps.h over
// core/simd_*.h), by the file of this build: converter_forms_LAYERS.cpp
// for the build's row_convert_LAYERS.cpp (converter_forms.cmake).
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

// Stores the SIMD forms of format F that this build has and this processor
// can run into slots (at most three), given F's published converter.
// Defined by the build's converter_forms_LAYERS.cpp, for every format.
template <class F>
void simd_forms(ConverterForm* slots, RowConverter published);

#define SIMD_FORMS_INSTANCE(name, ...) \
    template void simd_forms<pixel_format::name>(ConverterForm*, RowConverter);
