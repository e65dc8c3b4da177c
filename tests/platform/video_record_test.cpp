#include "picture_scale.h"
#include "video_record.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A frame whose every pixel depends on position and time.
void draw_pattern(const Canvas& canvas, std::uint32_t ms) {
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 32; ++x) canvas.at(x, y) = ((x ^ y) & 4 ? 0x00F0A050u : 0x00102030u) + (ms & 0x3F);
}

const ProgramInfo pattern_program = {"pattern", "a test pattern", 32, 20, 4, 3, ProgramClock::system, 0, draw_pattern};

std::string temp_file(const std::string& name) {
    return std::string(::testing::TempDir()) + "/" + std::to_string(getpid()) + name;
}

bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

bool have_ffmpeg() { return std::system("ffmpeg -version >/dev/null 2>&1") == 0; }

std::string run_output(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

int record_quietly(const RecordOptions& options) {
    ::testing::internal::CaptureStderr();
    int status = record_video(pattern_program, options);
    ::testing::internal::GetCapturedStderr();
    return status;
}

}  // namespace

TEST(PictureScale, SizesForTheFourByThreePictureAndSquarePixels) {
    EXPECT_EQ(scaled_picture_size(320, 200, 3, false).height, 720);
    EXPECT_EQ(scaled_picture_size(320, 200, 3, false).width, 960);
    EXPECT_EQ(scaled_picture_size(320, 200, 3, true).height, 600);
    EXPECT_EQ(scaled_picture_size(320, 240, 2, false).height, 480);  // already 4:3
}

TEST(PictureScale, SquarePixelsRepeatEachPixelAsABlock) {
    std::vector<std::uint32_t> frame(32 * 20), picture(96 * 60);
    draw_pattern(packed_canvas(frame.data(), 32, 20), 5);
    scale_picture(frame.data(), 32, 20, 3, true, picture.data());
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 96; ++x) ASSERT_EQ(picture[y * 96 + x], frame[(y / 3) * 32 + x / 3]) << x << "," << y;
}

TEST(PictureScale, StretchedRowsMixTheirTwoNearestRows) {
    // Two rows, black over white, scaled by 1 and stretched from 2 to 3 rows
    // (width 4 gives height 3): the middle row lies halfway between them.
    const std::uint32_t frame[8] = {0, 0, 0, 0, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF};
    std::uint32_t picture[12];
    scale_picture(frame, 4, 2, 1, false, picture);
    EXPECT_EQ(picture[0], 0u);                 // centre 1/6 row: clamped onto row 0
    EXPECT_EQ(picture[4], 0x00808080u);        // centre at 0.5: an even mix, rounded
    EXPECT_EQ(picture[8], 0x00FFFFFFu);        // centre at 1.17: only the last row
}

TEST(VideoRecord, FrameCountAndCodecFollowTheOptions) {
    RecordOptions options;
    options.seconds = 2;
    options.fps = 30;
    EXPECT_EQ(record_frame_count(options), 60);
    options.seconds = 0.01;
    EXPECT_EQ(record_frame_count(options), 0);
    options.seconds = 2.5;
    options.fps = 1;
    EXPECT_EQ(record_frame_count(options), 3);  // rounded, not cut
    EXPECT_NE(codec_arguments("a.MKV").find("ffv1"), std::string::npos);
    EXPECT_NE(codec_arguments("dir.x/a.mp4").find("yuv420p"), std::string::npos);
    EXPECT_EQ(codec_arguments("a.webm"), "");
}

TEST(VideoRecord, MissingFfmpegFailsWithStatusTwoAndNoFile) {
    const std::string file = temp_file("nopath.mkv");
    const char* saved = std::getenv("PATH");
    std::string saved_path = saved ? saved : "";
    setenv("PATH", "/nonexistent", 1);
    RecordOptions options;
    options.file = file;
    options.seconds = 1;
    int status = record_quietly(options);
    setenv("PATH", saved_path.c_str(), 1);
    EXPECT_EQ(status, 2);
    EXPECT_FALSE(exists(file));
}

TEST(VideoRecord, LosslessCaptureHoldsEveryFrameExactly) {
    if (!have_ffmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
    const std::string file = temp_file("capture.mkv");
    RecordOptions options;
    options.file = file;
    options.seconds = 2;
    options.fps = 30;
    options.scale = 2;
    ASSERT_EQ(record_quietly(options), 0);
    ASSERT_TRUE(exists(file));
    EXPECT_FALSE(exists(temp_file("capture.partial.mkv")));

    std::string frames = run_output("ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                                    "stream=nb_read_frames,width,height -of csv=p=0 '" + file + "'");
    EXPECT_EQ(frames, "64,48,60\n");  // 32x20 at 2x, stretched to 4:3

    // Frame 31 is the frame at 31*1000/30 = 1033 ms, scaled as documented.
    std::string raw = run_output("ffmpeg -v error -i '" + file +
                                 "' -vf 'select=eq(n\\,31)' -frames:v 1 -f rawvideo -pix_fmt bgr0 -");
    ASSERT_EQ(raw.size(), 64u * 48 * 4);
    std::vector<std::uint32_t> frame(32 * 20), picture(64 * 48);
    draw_pattern(packed_canvas(frame.data(), 32, 20), 1033);
    scale_picture(frame.data(), 32, 20, 2, false, picture.data());
    for (std::size_t i = 0; i < picture.size(); ++i) {
        std::uint32_t decoded = static_cast<std::uint8_t>(raw[i * 4]) | static_cast<std::uint8_t>(raw[i * 4 + 1]) << 8 |
                                static_cast<std::uint32_t>(static_cast<std::uint8_t>(raw[i * 4 + 2])) << 16;
        ASSERT_EQ(decoded, picture[i]) << "pixel " << i;
    }
    std::remove(file.c_str());
}

TEST(FitPicture, FourByThreePictureFillsAFourByThreeScreen) {
    const PictureRect r = fit_picture(1280, 960, 320, 200, false);
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(r.y, 0);
    EXPECT_EQ(r.w, 1280);
    EXPECT_EQ(r.h, 960);
    EXPECT_EQ(r.scale, 4);  // 1280x800 in blocks, then stretched 1.2 times in height
}

TEST(FitPicture, WideScreensGetBarsLeftAndRight) {
    const PictureRect r = fit_picture(1920, 1080, 320, 200, false);
    EXPECT_EQ(r.w, 1440);
    EXPECT_EQ(r.h, 1080);
    EXPECT_EQ(r.x, 240);
    EXPECT_EQ(r.scale, 4);
}

TEST(FitPicture, SquarePixelsUseTheLargestWholeFactorCentred) {
    const PictureRect r = fit_picture(1280, 960, 320, 200, true);
    EXPECT_EQ(r.w, 1280);
    EXPECT_EQ(r.h, 800);
    EXPECT_EQ(r.y, 80);
    EXPECT_EQ(r.scale, 4);
    const PictureRect small = fit_picture(200, 100, 320, 200, true);  // smaller than the frame: shrink to fit
    EXPECT_EQ(small.w, 160);
    EXPECT_EQ(small.h, 100);
    EXPECT_EQ(small.scale, 1);
}

TEST(FitPicture, FourByThreeFramesKeepWholeFactorsInAWindowOfAMultiple) {
    const PictureRect r = fit_picture(960, 720, 320, 240, false);
    EXPECT_EQ(r.w, 960);
    EXPECT_EQ(r.h, 720);
    EXPECT_EQ(r.scale, 3);  // no stretch left: every pixel a 3x3 block
}
