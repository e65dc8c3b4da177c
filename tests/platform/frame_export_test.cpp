#include "command_line.h"
#include "png_file.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string temp_path(const char* name) {
    return std::string(::testing::TempDir()) + "/" + name + std::to_string(getpid()) + ".png";
}

bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

// Reads an 8-bit RGB PNG back as 0x00RRGGBB pixels.
std::vector<std::uint32_t> read_png(const std::string& path, int& width, int& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    std::vector<std::uint32_t> pixels;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return pixels;
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return pixels;
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        pixels.push_back(static_cast<std::uint32_t>(rgb[i]) << 16 | rgb[i + 1] << 8 | rgb[i + 2]);
    return pixels;
}

void draw_gradient(const Canvas& canvas, std::uint32_t ms) {
    for (int i = 0; i < 6 * 4; ++i) canvas.pixels[i] = (ms & 0xFF) << 16 | static_cast<std::uint32_t>(i * 10);
}

const ProgramInfo test_program = {"testprog", "draws a gradient", 6, 4, 4, 3, ProgramClock::system, 0, draw_gradient};

int run(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(&a[0]);
    ::testing::internal::CaptureStderr();
    ::testing::internal::CaptureStdout();
    int status = handle_frame_options(static_cast<int>(argv.size()), argv.data(), test_program);
    ::testing::internal::GetCapturedStdout();
    ::testing::internal::GetCapturedStderr();
    return status;
}

}  // namespace

TEST(ParseMilliseconds, AcceptsTheWholeUnsignedRangeAndNothingElse) {
    std::uint32_t ms = 7;
    EXPECT_TRUE(parse_milliseconds("0", ms));
    EXPECT_EQ(ms, 0u);
    EXPECT_TRUE(parse_milliseconds("4294967295", ms));
    EXPECT_EQ(ms, 4294967295u);
    for (const char* bad : {"", "4294967296", "99999999999999999999", "-1", "+5", "12a", " 5", "1.5", "0x10"})
        EXPECT_FALSE(parse_milliseconds(bad, ms)) << bad;
}

TEST(WritePng, PixelsComeBackExactly) {
    const std::string path = temp_path("roundtrip");
    std::vector<std::uint32_t> pixels = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00123456, 0x00000000, 0x00FFFFFF};
    std::string error;
    ASSERT_TRUE(write_png_rgb(path, pixels.data(), 3, 2, error)) << error;
    int w = 0, h = 0;
    EXPECT_EQ(read_png(path, w, h), pixels);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    EXPECT_FALSE(exists(path + ".partial"));
    std::remove(path.c_str());
}

TEST(WritePng, UnwritableFolderFailsWithAReasonAndLeavesNoFile) {
    std::uint32_t pixel = 0;
    std::string error;
    EXPECT_FALSE(write_png_rgb("/nonexistent-folder/x.png", &pixel, 1, 1, error));
    EXPECT_NE(error.find("/nonexistent-folder/x.png"), std::string::npos);
}

TEST(FrameOptions, NoOptionsMeansRunNormally) { EXPECT_EQ(run({"testprog"}), -1); }

TEST(FrameOptions, FrameRendersAtTheGivenTime) {
    const std::string path = temp_path("frame");
    ASSERT_EQ(run({"testprog", "--frame", "4294967295", path}), 0);
    int w = 0, h = 0;
    std::vector<std::uint32_t> pixels = read_png(path, w, h);
    ASSERT_EQ(pixels.size(), 24u);
    EXPECT_EQ(pixels[3], 0x00FF0000u | 30u);
    std::remove(path.c_str());
}

TEST(FrameOptions, BadCommandLinesEndWithStatusTwo) {
    EXPECT_EQ(run({"testprog", "--frame"}), 2);
    EXPECT_EQ(run({"testprog", "--frame", "12"}), 2);
    EXPECT_EQ(run({"testprog", "--frame", "x", "a.png"}), 2);
    EXPECT_EQ(run({"testprog", "--frame", "1", "a.png", "extra"}), 2);
    EXPECT_EQ(run({"testprog", "--bogus"}), 2);
    EXPECT_EQ(run({"testprog", "--frame", "1", "/nonexistent-folder/a.png"}), 2);
    EXPECT_EQ(run({"testprog", "--help"}), 0);
    EXPECT_EQ(run({"testprog", "--version"}), 0);
}
