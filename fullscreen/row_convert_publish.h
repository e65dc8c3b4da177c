#pragma once
// The published converters and the table of forms of one build, made from
// the format table. Included at the end of the build's converter file
// (row_convert_<isa>.cpp), which defines before it, for a format F:
//   fastest<F>(source, destination, count)  the form the programs use;
//   simd_forms<F>(forms, published)         stores F's SIMD forms that this
//                                           processor can run, at most three
//                                           (`published` is convert_row_NAME).
#include "pixel_format.h"
#include "row_convert.h"
#include "row_convert_forms.h"
#include "row_convert_scalar.h"

#define ROW_CONVERTER_DEFINE(name, ...) \
    void convert_row_##name(const std::uint32_t* s, void* d, int n) { fastest<pixel_format::name>(s, d, n); }
PIXEL_FORMATS(ROW_CONVERTER_DEFINE)
#undef ROW_CONVERTER_DEFINE

namespace {

template <class F>
ConverterForms forms_of(const char* name, RowConverter published) {
    ConverterForms c{name, F::bytes, F::bit_count, F::red_mask, F::green_mask, F::blue_mask,
                     published, scalar_convert_row<F>, {{"scalar", scalar_convert_row<F>}}};
    simd_forms<F>(c.forms + 1, published);
    return c;
}

}  // namespace

const ConverterForms* converter_forms() {
#define ROW_CONVERTER_FORMS(name, ...) forms_of<pixel_format::name>(#name, convert_row_##name),
    static const ConverterForms table[converter_count] = {PIXEL_FORMATS(ROW_CONVERTER_FORMS)};
#undef ROW_CONVERTER_FORMS
    return table;
}
