// The converters against SDL2's own pixel conversion from XRGB8888, which
// truncates channels the same way: an independent reference over all 2^24
// colours. Also: the masks SDL reports for each format choose the converter.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "row_convert.h"

namespace {

struct SdlFormat {
    Uint32 format;
    RowConverter converter;
    int bytes;
};

const SdlFormat formats[] = {
    {SDL_PIXELFORMAT_RGB888, convert_row_rgb32, 4},  {SDL_PIXELFORMAT_BGR888, convert_row_bgr32, 4},
    {SDL_PIXELFORMAT_BGR24, convert_row_rgb24, 3},   {SDL_PIXELFORMAT_RGB24, convert_row_bgr24, 3},
    {SDL_PIXELFORMAT_RGB565, convert_row_rgb565, 2}, {SDL_PIXELFORMAT_BGR565, convert_row_bgr565, 2},
    {SDL_PIXELFORMAT_RGB555, convert_row_rgb555, 2}, {SDL_PIXELFORMAT_BGR555, convert_row_bgr555, 2},
};

TEST(SdlCrossCheck, SdlMasksChooseTheMatchingConverter) {
    for (const SdlFormat& f : formats) {
        int bits = 0;
        Uint32 r = 0, g = 0, b = 0, a = 0;
        ASSERT_TRUE(SDL_PixelFormatEnumToMasks(f.format, &bits, &r, &g, &b, &a));
        if (bits == 15) bits = 16;  // SDL counts the used bits; a screen reports 16
        EXPECT_EQ(choose_converter(bits, r, g, b), f.converter) << SDL_GetPixelFormatName(f.format);
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
                                        row * f.bytes),
                      0)
                << SDL_GetError();
            f.converter(source.data(), ours.data(), row);
            ASSERT_EQ(0, std::memcmp(ours.data(), sdl.data(), static_cast<std::size_t>(row) * f.bytes))
                << SDL_GetPixelFormatName(f.format) << " differs for red " << high;
        }
    }
}

}  // namespace
