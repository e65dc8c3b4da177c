// The row converters against the formulas of the format table, every form
// (scalar, and the SIMD forms this build and processor have) bit-identical,
// exact byte counts, and the choice of converter per screen format.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "../support/plain_formats.h"
#include "row_convert.h"
#include "converter_forms.h"

namespace {

// The destination pixel of each converter, from the test list of formats
// (independent of the format templates of the implementation).
std::uint32_t table_formula(const std::string& name, std::uint32_t p) {
    if (const PlainFormat* f = plain_format(name)) return f->value(p);
    ADD_FAILURE() << "no formula for " << name;
    return 0;
}

std::vector<std::uint8_t> expected_row(const ConverterForms& c, const std::vector<std::uint32_t>& source) {
    std::vector<std::uint8_t> out;
    for (std::uint32_t p : source) {
        const std::uint32_t v = table_formula(c.name, p);
        for (int b = 0; b < c.bytes_per_pixel; ++b) out.push_back(static_cast<std::uint8_t>(v >> (8 * b)));
    }
    return out;
}

constexpr std::uint8_t guard = 0xA5;
constexpr int margin = 37;  // bytes after the row that must stay untouched

// Converts `source` into a guarded buffer; checks the margin, returns the row.
std::vector<std::uint8_t> run(RowConverter convert, const std::vector<std::uint32_t>& source, int bpp) {
    const std::size_t row = source.size() * bpp;
    std::vector<std::uint8_t> buffer(row + margin, guard);
    convert(source.data(), buffer.data(), static_cast<int>(source.size()));
    for (std::size_t i = row; i < buffer.size(); ++i)
        if (buffer[i] != guard) {
            ADD_FAILURE() << "byte " << i - row << " of the margin written";
            break;
        }
    buffer.resize(row);
    return buffer;
}

std::uint32_t one_pixel(RowConverter convert, std::uint32_t p, int bpp) {
    const auto bytes = run(convert, {p}, bpp);
    std::uint32_t v = 0;
    for (int b = 0; b < bpp; ++b) v |= static_cast<std::uint32_t>(bytes[b]) << (8 * b);
    return v;
}

const ConverterForms& forms_of(const char* name) {
    for (int i = 0; i < converter_count; ++i)
        if (std::string(converter_forms()[i].name) == name) return converter_forms()[i];
    throw std::runtime_error(name);
}

TEST(RowConverters, EveryFormMatchesTheFormulaForEveryCountUpTo67) {
    std::mt19937 random(20240601);
    for (int i = 0; i < converter_count; ++i) {
        const ConverterForms& c = converter_forms()[i];
        for (int count = 0; count <= 67; ++count) {
            std::vector<std::uint32_t> source(count);
            // Random pixels, top byte too: only rgb32 may carry it over.
            for (auto& p : source) p = random();
            const auto expected = expected_row(c, source);
            for (const ConverterForm& form : c.forms) {
                if (!form.isa) break;
                EXPECT_EQ(run(form.convert, source, c.bytes_per_pixel), expected)
                    << c.name << " " << form.isa << " count " << count;
            }
            EXPECT_EQ(run(c.published, source, c.bytes_per_pixel), expected) << c.name << " count " << count;
        }
    }
}

TEST(RowConverters, EveryBuildHasItsSimdForms) {
    int simd = 0;
    for (int i = 0; i < converter_count; ++i)
        for (const ConverterForm& form : converter_forms()[i].forms)
            if (form.isa && std::string(form.isa) != "scalar") ++simd;
#if defined(__i386__) || defined(__x86_64__)
    EXPECT_GE(simd, 6) << "the six SIMD converters";
#else
    EXPECT_EQ(simd, 0);
#endif
}

TEST(RowConverters, CountZeroWritesNothing) {
    for (int i = 0; i < converter_count; ++i)
        for (const ConverterForm& form : converter_forms()[i].forms) {
            if (!form.isa) break;
            std::uint8_t buffer[16];
            std::memset(buffer, guard, sizeof buffer);
            const std::uint32_t p = 0x00FFFFFF;
            form.convert(&p, buffer, 0);
            for (std::uint8_t b : buffer) EXPECT_EQ(b, guard) << converter_forms()[i].name << " " << form.isa;
        }
}

TEST(RowConverters, ExampleValuesOf0x123456) {
    const std::uint32_t p = 0x00123456;
    EXPECT_EQ(one_pixel(convert_row_rgb565, p, 2), 0x11AAu);
    EXPECT_EQ(one_pixel(convert_row_bgr565, p, 2), 0x51A2u);
    EXPECT_EQ(one_pixel(convert_row_rgb555, p, 2), 0x08CAu);
    EXPECT_EQ(one_pixel(convert_row_bgr555, p, 2), 0x28C2u);
    EXPECT_EQ(one_pixel(convert_row_bgr32, p, 4), 0x00563412u);
    EXPECT_EQ(run(convert_row_rgb24, {p}, 3), (std::vector<std::uint8_t>{0x56, 0x34, 0x12}));
    EXPECT_EQ(run(convert_row_bgr24, {p}, 3), (std::vector<std::uint8_t>{0x12, 0x34, 0x56}));
    EXPECT_EQ(one_pixel(convert_row_rgb32, 0xAB123456u, 4), 0xAB123456u) << "all 32 bits carried";
}

TEST(RowConverters, ExampleValuesHoldInTheSimdStepsToo) {
    // 64 equal pixels go through whole SIMD steps of every width.
    const std::vector<std::uint32_t> row(64, 0x00123456);
    const struct {
        const char* name;
        std::uint32_t value;
    } cases[] = {{"rgb565", 0x11AA}, {"bgr565", 0x51A2}, {"rgb555", 0x08CA}, {"bgr555", 0x28C2}};
    for (const auto& k : cases)
        for (const ConverterForm& form : forms_of(k.name).forms) {
            if (!form.isa) break;
            const auto bytes = run(form.convert, row, 2);
            for (int i = 0; i < 64; ++i)
                ASSERT_EQ(bytes[2 * i] | (bytes[2 * i + 1] << 8), static_cast<int>(k.value)) << k.name << " " << form.isa << " pixel " << i;
        }
}

TEST(RowConverters, WhiteIsFullScale) {
    const std::uint32_t white = 0x00FFFFFF;
    EXPECT_EQ(one_pixel(convert_row_rgb565, white, 2), 0xFFFFu);
    EXPECT_EQ(one_pixel(convert_row_bgr565, white, 2), 0xFFFFu);
    EXPECT_EQ(one_pixel(convert_row_rgb555, white, 2), 0x7FFFu);
    EXPECT_EQ(one_pixel(convert_row_bgr555, white, 2), 0x7FFFu);
    EXPECT_EQ(one_pixel(convert_row_bgr32, white, 4), 0x00FFFFFFu);
    EXPECT_EQ(run(convert_row_rgb24, std::vector<std::uint32_t>(9, white), 3), std::vector<std::uint8_t>(27, 0xFF));
}

TEST(RowConverters, LeftoverPixelsConvertLikeTheOthers) {
    // 7 pixels to 5-6-5 and 13 to 5-5-5: the last ones are left over.
    std::vector<std::uint32_t> row7(7, 0x00FF8040), row13(13, 0x0080FF10);
    const auto b7 = run(convert_row_rgb565, row7, 2);
    const auto b13 = run(convert_row_bgr555, row13, 2);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(b7[2 * i] | (b7[2 * i + 1] << 8), 0xFC08) << i;
    for (int i = 0; i < 13; ++i) EXPECT_EQ(b13[2 * i] | (b13[2 * i + 1] << 8), 0x0BF0) << i;
}

TEST(RowConverters, FloatingPointWorksAfterEveryConverter) {
    // An MMX form that left the MMX state set would break x87 arithmetic.
    std::vector<std::uint32_t> source(320, 0x00123456);
    std::vector<std::uint8_t> out(320 * 4);
    for (int i = 0; i < converter_count; ++i) {
        converter_forms()[i].published(source.data(), out.data(), 320);
        volatile long double x = 1.5L;
        x = x * 3.0L + 0.25L;
        EXPECT_EQ(static_cast<double>(x), 4.75) << converter_forms()[i].name;
    }
}

TEST(ChooseConverter, EveryRowOfTheFormatTable) {
    for (const PlainFormat& f : plain_formats)
        EXPECT_EQ(choose_converter(f.bit_count, f.red_mask, f.green_mask, f.blue_mask), f.converter) << f.name;
}

TEST(ChooseConverter, TheConverterTableHasTheTestListsFormatsInOrder) {
    ASSERT_EQ(converter_count, plain_format_count);
    for (int i = 0; i < converter_count; ++i) {
        const ConverterForms& c = converter_forms()[i];
        const PlainFormat& f = plain_formats[i];
        EXPECT_STREQ(c.name, f.name);
        EXPECT_EQ(c.published, f.converter) << f.name;
        EXPECT_EQ(c.bytes_per_pixel, f.bytes) << f.name;
        EXPECT_EQ(c.bit_count, f.bit_count) << f.name;
        EXPECT_EQ(c.red_mask, f.red_mask) << f.name;
        EXPECT_EQ(c.green_mask, f.green_mask) << f.name;
        EXPECT_EQ(c.blue_mask, f.blue_mask) << f.name;
    }
}

TEST(ChooseConverter, UnsupportedFormatsGetNull) {
    EXPECT_EQ(choose_converter(15, 0x7C00, 0x03E0, 0x001F), nullptr) << "5-5-5 only with bit count 16";
    EXPECT_EQ(choose_converter(15, 0x001F, 0x03E0, 0x7C00), nullptr);
    EXPECT_EQ(choose_converter(8, 0, 0, 0), nullptr) << "palette-indexed";
    EXPECT_EQ(choose_converter(8, 0xE0, 0x1C, 0x03), nullptr);
    EXPECT_EQ(choose_converter(16, 0x0F00, 0x00F0, 0x000F), nullptr) << "4-4-4";
    EXPECT_EQ(choose_converter(16, 0xFF0000, 0x00FF00, 0x0000FF), nullptr) << "masks of another bit count";
    EXPECT_EQ(choose_converter(32, 0xF800, 0x07E0, 0x001F), nullptr);
    EXPECT_EQ(choose_converter(24, 0x00FF00, 0xFF0000, 0x0000FF), nullptr) << "green and red swapped";
    EXPECT_EQ(choose_converter(16, 0xF800, 0x03E0, 0x001F), nullptr) << "rgb565 but for green";
    EXPECT_EQ(choose_converter(32, 0x0000FF, 0x00FF00, 0x0000FF), nullptr) << "rgb32 but for red, bgr32 but for blue";
    EXPECT_EQ(choose_converter(32, 0x3FF00000, 0x000FFC00, 0x000003FF), nullptr) << "10-10-10";
    EXPECT_EQ(choose_converter(0, 0, 0, 0), nullptr);
}

}  // namespace
