// The table of converter forms, from the format table.
#include "converter_forms.h"

#include "row_convert_scalar.h"

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
