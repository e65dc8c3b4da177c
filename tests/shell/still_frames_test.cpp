// Still frames in files, on each build with its own format: numbered name
// patterns, runs of frames that equal --frame at each time and never write
// over a file, the guides over a frame, and the frame saved from the screen.
#include "command_line.h"
#include "still_frames.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#ifdef _WIN32
#include <direct.h>
#include <process.h>
#define chdir _chdir
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
const std::string extension = ".bmp";
#else
const std::string extension = ".png";
#endif

void draw_ramp(const Canvas& canvas, std::uint32_t ms) {
    for (int i = 0; i < 8 * 6; ++i) canvas.pixels[i] = (ms & 0xFFFF) << 8 | static_cast<std::uint32_t>(i);
}
void draw_cross(const Canvas& canvas, std::uint32_t) { canvas.at(3, 2) = 0x00FF00FF; }

// Every test's files carry the process's number: runs side by side never meet.
const std::string stem = "still" + std::to_string(getpid());
const ProgramInfo ramp{stem.c_str(), "", 8, 6, 4, 3, ProgramClock::system, 0, draw_ramp, draw_cross};

std::string temp(const std::string& name) { return ::testing::TempDir() + stem + name + extension; }

std::string contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

int run(std::vector<std::string> args) {
    args.insert(args.begin(), stem);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    RunOptions options;
    return handle_command_line(static_cast<int>(argv.size()) - 1, argv.data(), ramp, options);
}

// The --frame file at `ms`, as its bytes.
std::string frame_file(std::uint32_t ms, bool guides) {
    const std::string path = temp("-reference");
    std::vector<std::string> args = {"--frame", std::to_string(ms), path};
    if (guides) args.push_back("--guides");
    EXPECT_EQ(run(args), 0);
    const std::string bytes = contents(path);
    std::remove(path.c_str());
    return bytes;
}

}  // namespace

TEST(FramePattern, OneDecimalFieldOptionallyZeroPaddedAndNoOtherPercent) {
    FramePattern pattern;
    const struct {
        const char* text;
        std::uint32_t number;
        const char* name;
    } accepted[] = {{"f%d.png", 7, "f7.png"}, {"f%05d.png", 42, "f00042.png"}, {"%d", 0, "0"},
                    {"dir/f%02d.png", 123, "dir/f123.png"}, {"%09d", 4294967295u, "4294967295"}};
    for (const auto& row : accepted) {
        ASSERT_EQ(parse_frame_pattern(row.text, pattern), "") << row.text;
        EXPECT_EQ(frame_file_name(pattern, row.number), row.name);
    }
    for (const char* refused : {"f.png", "f%s.png", "f%%%d.png", "f%d%d.png", "f%5d.png", "f%010d.png", "f%0d.png",
                                "f%-3d.png", "f%ld.png", "f%d.png%", "f%x.png"})
        EXPECT_NE(parse_frame_pattern(refused, pattern), "") << refused;
}

TEST(FramesCount, ToIsIncludedOnlyWhereItFallsOnAStep) {
    FramesOptions options;
    options.from = 16000, options.to = 16160, options.step = 16;
    EXPECT_EQ(frames_count(options), 11u);
    options.to = 16175;
    EXPECT_EQ(frames_count(options), 11u);
    options.from = 0, options.to = 4294967295u, options.step = 1;
    EXPECT_EQ(frames_count(options), 4294967296u);  // no 32-bit wrap
}

// --frames 1000 1100 50: three files, each the --frame file of its time; the
// guides go over each frame only when asked.
TEST(Frames, EachFileIsTheFrameFileOfItsTime) {
    ASSERT_EQ(run({"--frames", "1000", "1100", "50", temp("-run%02d"), "--guides"}), 0);
    for (int i = 0; i < 3; ++i) {
        const std::string path = temp("-run0" + std::to_string(i));
        EXPECT_EQ(contents(path), frame_file(1000 + 50 * i, true)) << path;
        std::remove(path.c_str());
    }
    EXPECT_TRUE(contents(temp("-run03")).empty());
    EXPECT_NE(frame_file(1000, true), frame_file(1000, false));
}

// A name of the run that is taken stops it before anything is written.
TEST(Frames, AFileAlreadyThereIsKeptAndNothingIsWritten) {
    std::ofstream(temp("-kept1"), std::ios::binary) << "mine";
    EXPECT_EQ(run({"--frames", "0", "20", "10", temp("-kept%d")}), 2);
    EXPECT_EQ(contents(temp("-kept1")), "mine");
    EXPECT_TRUE(contents(temp("-kept0")).empty());
    EXPECT_TRUE(contents(temp("-kept2")).empty());
    std::remove(temp("-kept1").c_str());
}

// The frame saved from the screen: NAME-MS, then NAME-MS-2, each the 1:1
// frame that --frame MS writes, and a line with the page's moment.
TEST(SaveShownFrame, ASecondSaveGetsTheNextNumberAndBothAreTheFrame) {
    ASSERT_EQ(chdir(::testing::TempDir().c_str()), 0);
    const std::string first = stem + "-77" + extension, second = stem + "-77-2" + extension;
    const SavedFrame saved = save_shown_frame(ramp, 77, false);
    EXPECT_TRUE(saved.saved);
    EXPECT_EQ(saved.line, "saved " + first + "  ?program=" + stem + "&t=77&paused");
    const SavedFrame again = save_shown_frame(ramp, 77, true);
    EXPECT_EQ(again.line, "saved " + second + "  ?program=" + stem + "&t=77&paused");
    EXPECT_EQ(contents(first), frame_file(77, false));
    EXPECT_EQ(contents(second), frame_file(77, true));
    std::remove(first.c_str());
    std::remove(second.c_str());
}
