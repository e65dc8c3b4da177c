// The converters against SDL2's own pixel conversion from XRGB8888, which
// truncates channels the same way: an independent reference over all 2^24
// colours. Also: the masks SDL reports for each format choose the converter.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "../support/plain_formats.h"
#include "row_convert.h"

namespace {

// SDL's name for each format of the test list: an independent reference
// for masks and bytes. (A name missing from the list does not compile.)
struct SdlFormat {
    Uint32 format;
    const PlainFormat& ours;
};

constexpr SdlFormat formats[] = {
    {SDL_PIXELFORMAT_RGB888, *plain_format("rgb32")}, {SDL_PIXELFORMAT_BGR888, *plain_format("bgr32")},
    {SDL_PIXELFORMAT_BGR24, *plain_format("rgb24")},  {SDL_PIXELFORMAT_RGB24, *plain_format("bgr24")},
    {SDL_PIXELFORMAT_RGB565, *plain_format("rgb565")}, {SDL_PIXELFORMAT_BGR565, *plain_format("bgr565")},
    {SDL_PIXELFORMAT_RGB555, *plain_format("rgb555")}, {SDL_PIXELFORMAT_BGR555, *plain_format("bgr555")},
};

TEST(SdlCrossCheck, SdlMasksChooseTheMatchingConverter) {
    for (const SdlFormat& f : formats) {
        int bits = 0;
        Uint32 r = 0, g = 0, b = 0, a = 0;
        ASSERT_TRUE(SDL_PixelFormatEnumToMasks(f.format, &bits, &r, &g, &b, &a));
        if (bits == 15) bits = 16;  // SDL counts the used bits; a screen reports 16
        EXPECT_EQ(choose_converter(bits, r, g, b), f.ours.converter) << SDL_GetPixelFormatName(f.format);
    }
}

TEST(SdlCrossCheck, FormatsWithAlphaChooseByTheirColourMasks) {
    const struct {
        Uint32 format;
        RowConverter converter;
    } with_alpha[] = {{SDL_PIXELFORMAT_ARGB8888, convert_row_rgb32}, {SDL_PIXELFORMAT_ABGR8888, convert_row_bgr32},
                      {SDL_PIXELFORMAT_ARGB1555, convert_row_rgb555}, {SDL_PIXELFORMAT_ABGR1555, convert_row_bgr555}};
    for (const auto& f : with_alpha) {
        int bits = 0;
        Uint32 r = 0, g = 0, b = 0, a = 0;
        ASSERT_TRUE(SDL_PixelFormatEnumToMasks(f.format, &bits, &r, &g, &b, &a));
        ASSERT_NE(a, 0u) << "the format has an alpha mask";
        EXPECT_EQ(choose_converter(bits, r, g, b), f.converter) << SDL_GetPixelFormatName(f.format);
    }
}

TEST(SdlCrossCheck, AllColoursConvertLikeSdl) {
    constexpr int row = 1 << 16;  // 256 rows of 65536 colours
    std::vector<Uint32> source(row);
    std::vector<Uint8> ours(row * 4), sdl(row * 4);
    for (const SdlFormat& f : formats) {
        for (Uint32 high = 0; high < 256; ++high) {
            for (int i = 0; i < row; ++i) source[i] = (high << 16) | static_cast<Uint32>(i);
            ASSERT_EQ(SDL_ConvertPixels(row, 1, SDL_PIXELFORMAT_RGB888, source.data(), row * 4, f.format, sdl.data(),
                                        row * f.ours.bytes),
                      0)
                << SDL_GetError();
            f.ours.converter(source.data(), ours.data(), row);
            ASSERT_EQ(0, std::memcmp(ours.data(), sdl.data(), static_cast<std::size_t>(row) * f.ours.bytes))
                << SDL_GetPixelFormatName(f.format) << " differs for red " << high;
        }
    }
}

}  // namespace
