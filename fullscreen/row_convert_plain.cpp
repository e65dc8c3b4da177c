// Converters for processors without the x86 SIMD forms: the scalar loops.
#include "row_convert_forms.h"

void convert_row_rgb32(const std::uint32_t* s, void* d, int n) { scalar_convert_row_rgb32(s, d, n); }
void convert_row_bgr32(const std::uint32_t* s, void* d, int n) { scalar_convert_row_bgr32(s, d, n); }
void convert_row_rgb24(const std::uint32_t* s, void* d, int n) { scalar_convert_row_rgb24(s, d, n); }
void convert_row_bgr24(const std::uint32_t* s, void* d, int n) { scalar_convert_row_bgr24(s, d, n); }
void convert_row_rgb565(const std::uint32_t* s, void* d, int n) { scalar_convert_row_rgb565(s, d, n); }
void convert_row_bgr565(const std::uint32_t* s, void* d, int n) { scalar_convert_row_bgr565(s, d, n); }
void convert_row_rgb555(const std::uint32_t* s, void* d, int n) { scalar_convert_row_rgb555(s, d, n); }
void convert_row_bgr555(const std::uint32_t* s, void* d, int n) { scalar_convert_row_bgr555(s, d, n); }

const ConverterForms* converter_forms() {
    static const ConverterForms table[converter_count] = {
        {"rgb32", 4, convert_row_rgb32, scalar_convert_row_rgb32, {{"scalar", scalar_convert_row_rgb32}}},
        {"bgr32", 4, convert_row_bgr32, scalar_convert_row_bgr32, {{"scalar", scalar_convert_row_bgr32}}},
        {"rgb24", 3, convert_row_rgb24, scalar_convert_row_rgb24, {{"scalar", scalar_convert_row_rgb24}}},
        {"bgr24", 3, convert_row_bgr24, scalar_convert_row_bgr24, {{"scalar", scalar_convert_row_bgr24}}},
        {"rgb565", 2, convert_row_rgb565, scalar_convert_row_rgb565, {{"scalar", scalar_convert_row_rgb565}}},
        {"bgr565", 2, convert_row_bgr565, scalar_convert_row_bgr565, {{"scalar", scalar_convert_row_bgr565}}},
        {"rgb555", 2, convert_row_rgb555, scalar_convert_row_rgb555, {{"scalar", scalar_convert_row_rgb555}}},
        {"bgr555", 2, convert_row_bgr555, scalar_convert_row_bgr555, {{"scalar", scalar_convert_row_bgr555}}},
    };
    return table;
}
