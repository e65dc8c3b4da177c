// The command line as both builds read it; what a build offers decides
// whether --quiet and --record exist.
#include "command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const CommandLineFeatures native{"PNG", true, false, "", true};
const CommandLineFeatures win32{"BMP", false, true, "", false};

CommandLine parse(std::vector<std::string> args, const CommandLineFeatures& features) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(&a[0]);
    return parse_command_line(static_cast<int>(argv.size()), argv.data(), features);
}

TEST(CommandLine, QuietAndRecordExistOnlyWhereTheBuildOffersThem) {
    const CommandLine quiet = parse({"p", "--quiet", "--window", "--square-pixels"}, win32);
    EXPECT_EQ(quiet.action, CommandLine::run);
    EXPECT_TRUE(quiet.run_options.quiet && quiet.run_options.window && quiet.run_options.square_pixels);
    EXPECT_EQ(parse({"p", "--quiet"}, native).error, "unknown option '--quiet'");

    const CommandLine record = parse({"p", "--record", "a.mkv", "--seconds", "2", "--fps", "30"}, native);
    EXPECT_EQ(record.action, CommandLine::record);
    EXPECT_EQ(record.record_options.file, "a.mkv");
    EXPECT_EQ(record.record_options.fps, 30);
    EXPECT_EQ(parse({"p", "--record", "a.mkv", "--seconds", "2"}, win32).error,
              "--record is not available in this build");
}

TEST(CommandLine, VerboseGoesWithRecordOnTheNativeBuildOnly) {
    EXPECT_TRUE(parse({"p", "--verbose", "--record", "a.mkv", "--seconds", "2"}, native).record_options.verbose);
    EXPECT_EQ(parse({"p", "--verbose"}, native).error, "--seconds, --fps, --scale and --verbose go with --record");
    EXPECT_EQ(parse({"p", "--verbose", "--record", "a.mkv", "--seconds", "2"}, win32).error,
              "unknown option '--verbose'");
}

TEST(CommandLine, FrameTakesATimeAndAFileOfTheBuildsFormat) {
    const CommandLine frame = parse({"p", "--frame", "4294967295", "x.bmp"}, win32);
    EXPECT_EQ(frame.action, CommandLine::frame);
    EXPECT_EQ(frame.ms, 4294967295u);
    EXPECT_EQ(frame.file, "x.bmp");
    EXPECT_EQ(parse({"p", "--frame", "1"}, win32).error, "--frame needs a time in milliseconds and a BMP file name");
    EXPECT_EQ(parse({"p", "--frame", "-1", "x.png"}, native).action, CommandLine::bad);
}

TEST(CommandLine, HelpListsWhatTheBuildOffers) {
    const ProgramInfo info{"curves", "Arcs.", 320, 200, 4, 3, ProgramClock::scene_start, 288000, nullptr};
    const std::string windows = help_text(info, win32), linux = help_text(info, native);
    EXPECT_NE(windows.find("--frame MS FILE.bmp"), std::string::npos);
    EXPECT_NE(windows.find("320x200 24-bit BMP"), std::string::npos);
    EXPECT_NE(windows.find("--quiet"), std::string::npos);
    EXPECT_EQ(windows.find("--record"), std::string::npos);
    EXPECT_NE(linux.find("--record FILE"), std::string::npos);
    EXPECT_EQ(linux.find("--quiet"), std::string::npos);
}

}  // namespace
