// Frames as pictures: the BMP file of the Win32 build and the picture that
// a window shows (block scaling, then the linear rest).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "bmp_file.h"
#include "picture_scale.h"

namespace {

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

TEST(Bmp, HeadersThenBottomUpRowsOfBlueGreenRedPaddedToFourBytes) {
    const std::uint32_t pixels[] = {0x00112233, 0x00445566, 0x00778899,   // top row
                                    0x00AABBCC, 0x00DDEEFF, 0x00000001};  // bottom row
    const std::vector<std::uint8_t> file = encode_bmp24(pixels, 3, 2);
    ASSERT_EQ(file.size(), 54u + 2 * 12);  // 9 bytes of pixels + 3 of padding per row
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(le32(file, 2), file.size());
    EXPECT_EQ(le32(file, 10), 54u);
    EXPECT_EQ(le32(file, 14), 40u);
    EXPECT_EQ(le32(file, 18), 3u);
    EXPECT_EQ(le32(file, 22), 2u);
    EXPECT_EQ(le32(file, 26), 1u | 24u << 16);  // one plane, 24 bits
    EXPECT_EQ(le32(file, 30), 0u);              // no compression
    const std::vector<std::uint8_t> rows(file.begin() + 54, file.end());
    const std::vector<std::uint8_t> expected = {0xCC, 0xBB, 0xAA, 0xFF, 0xEE, 0xDD, 0x01, 0x00, 0x00, 0, 0, 0,
                                                0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0x99, 0x88, 0x77, 0, 0, 0};
    EXPECT_EQ(rows, expected);
}

TEST(DrawPicture, StretchingMixesTheTwoNearestBlockPixelsByDistance) {
    // 2x1 frame, black and white, shown 3 wide and 2 high at factor 1: the
    // middle column's centre falls halfway between the two frame pixels.
    const std::uint32_t frame[] = {0x000000, 0xFFFFFF};
    const PictureRect rect{1, 0, 3, 2, 1};
    std::vector<std::uint32_t> target(5 * 2, 0xDEADBEEF);  // stride 5, bars at 0 and 4
    PictureScratch scratch;
    draw_picture(frame, 2, 1, rect, target.data() + rect.x, 5, scratch);
    const std::vector<std::uint32_t> row = {0xDEADBEEF, 0x000000, 0x808080, 0xFFFFFF, 0xDEADBEEF};
    EXPECT_EQ(std::vector<std::uint32_t>(target.begin(), target.begin() + 5), row);
    EXPECT_EQ(std::vector<std::uint32_t>(target.begin() + 5, target.end()), row);
}

TEST(DrawPicture, AFourThreePictureOfA320x200FrameIsTheCapturePicture) {
    std::vector<std::uint32_t> frame(320 * 200);
    for (std::size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFF;
    const PictureRect rect = fit_picture(1280, 960, 320, 200, false);
    ASSERT_EQ(rect.scale, 4);
    ASSERT_EQ(rect.w, 1280);
    ASSERT_EQ(rect.h, 960);
    std::vector<std::uint32_t> shown(1280 * 960), captured(1280 * 960);
    PictureScratch scratch;
    draw_picture(frame.data(), 320, 200, rect, shown.data(), 1280, scratch);
    scale_picture(frame.data(), 320, 200, 4, false, captured.data());
    EXPECT_EQ(shown, captured);
}

}  // namespace
