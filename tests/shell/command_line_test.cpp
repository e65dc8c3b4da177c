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
    argv.push_back(nullptr);  // as main's argv[argc]
    return parse_command_line(static_cast<int>(argv.size()) - 1, argv.data(), features);
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

TEST(CommandLine, FrameTakesATimeAndAFileOfTheBuildsFormat) {
    const CommandLine frame = parse({"p", "--frame", "4294967295", "x.bmp"}, win32);
    EXPECT_EQ(frame.action, CommandLine::frame);
    EXPECT_EQ(frame.ms, 4294967295u);
    EXPECT_EQ(frame.file, "x.bmp");
}

// --frames and --start take milliseconds as --frame does; --guides goes
// with each of the three wherever it stands.
TEST(CommandLine, FramesStartAndGuides) {
    const CommandLine frames =
        parse({"p", "--frames", "16000", "16160", "16", "f%03d.bmp", "--scale", "2", "--guides"}, win32);
    ASSERT_EQ(frames.action, CommandLine::frames) << frames.error;
    const FramesOptions& run = frames.frames_options;
    EXPECT_EQ(run.from, 16000u);
    EXPECT_EQ(run.to, 16160u);
    EXPECT_EQ(run.step, 16u);
    EXPECT_EQ(frame_file_name(run.pattern, 10), "f010.bmp");
    EXPECT_EQ(run.scale, 2);
    EXPECT_TRUE(run.guides && !run.square_pixels);
    const CommandLine frame = parse({"p", "--guides", "--frame", "5", "a.png"}, native);
    EXPECT_EQ(frame.action, CommandLine::frame);
    EXPECT_TRUE(frame.guides);
    const CommandLine record = parse({"p", "--record", "a.mkv", "--start", "4294967295", "--seconds", "2"}, native);
    EXPECT_EQ(record.action, CommandLine::record);
    EXPECT_EQ(record.record_options.start, 4294967295u);
    EXPECT_FALSE(record.record_options.guides);
}

// Every refusal is one line that names the option at fault, numbers of a
// kind are read one way whatever the option, and what the user typed comes
// back with its control characters escaped.
TEST(CommandLine, RefusalsNameTheOptionAtFaultInOneLine) {
    const ProgramInfo info{"p", "", 320, 200, 4, 3, ProgramClock::system, 0, nullptr};
    const std::string digits = "decimal digits only) (try 'p --help')";
    const std::string seconds =
        "expected above 0 up to 86400 (seconds, decimal digits, a fraction as in 2.5) (try 'p --help')";
    const struct {
        std::vector<std::string> args;
        const CommandLineFeatures& features;
        std::string line;
    } rows[] = {
        {{"--frame", "0x10", "a.png"}, native, "p: bad --frame value '0x10': expected 0 to 4294967295 (milliseconds, " + digits},
        {{"--frame", "4294967296", "a.png"}, native, "p: bad --frame value '4294967296': expected 0 to 4294967295 (milliseconds, " + digits},
        {{"--record", "a.mkv", "--seconds", "1e3"}, native, "p: bad --seconds value '1e3': " + seconds},
        {{"--record", "a.mkv", "--seconds", "0x1p-3"}, native, "p: bad --seconds value '0x1p-3': " + seconds},
        {{"--record", "a.mkv", "--seconds", ".5"}, native, "p: bad --seconds value '.5': " + seconds},
        {{"--record", "a.mkv", "--seconds", "0.0"}, native, "p: bad --seconds value '0.0': " + seconds},
        {{"--record", "a.mkv", "--seconds", "2", "--fps", "+5"}, native, "p: bad --fps value '+5': expected 1 to 240 (frames per second, " + digits},
        {{"--record", "a.gif", "--seconds", "2", "--fps", "60"}, native, "p: bad --fps value '60': expected 1 to 50 for a .gif file (the most its players keep) (try 'p --help')"},
        {{"--record", "a.mkv", "--seconds", "2", "--scale", "2.0"}, native, "p: bad --scale value '2.0': expected 1 to 16 (a whole factor, " + digits},
        {{"--record", "a.mkv", "--seconds", "2", "--seconds", "3"}, native, "p: --seconds is given twice (try 'p --help')"},
        {{"--window", "--square-pixels", "--window"}, win32, "p: --window is given twice (try 'p --help')"},
        {{"--frame", "5", "a.png", "--window"}, native, "p: --frame goes alone, not with --window (try 'p --help')"},
        {{"--window", "--frame", "5", "a.png"}, native, "p: --frame goes alone, not with --window (try 'p --help')"},
        {{"--frame", "5", "--window"}, native, "p: --frame needs a PNG file name, not the option --window (try 'p --help')"},
        {{"--frame", "5", "a.bmp"}, native, "p: bad --frame file name 'a.bmp': expected a PNG file name ending in .png (try 'p --help')"},
        {{"--frame", "5", "a.png"}, win32, "p: bad --frame file name 'a.png': expected a BMP file name ending in .bmp (try 'p --help')"},
        {{"--frame", "1"}, win32, "p: --frame needs a time in milliseconds and a BMP file name (try 'p --help')"},
        {{"--help", "x"}, native, "p: --help goes alone, not with 'x' (try 'p --help')"},
        {{"--frames", "0", "10", "0", "f%d.png"}, native, "p: bad --frames STEP value '0': expected 1 to 4294967295 (milliseconds, " + digits},
        {{"--frames", "10", "0", "1", "f%d.png"}, native, "p: --frames goes from FROM up to TO, not from 10 down to 0 (try 'p --help')"},
        {{"--frames", "0", "10", "1", "f%d%%.png"}, native, "p: bad --frames pattern 'f%d%%.png': expected one %d or %0Nd field (N from 1 to 9) and no other '%', as in f%05d.png (try 'p --help')"},
        {{"--frames", "0", "10", "1", "f%d.png", "--window"}, native, "p: --frames takes --scale, --square-pixels and --guides, not --window (try 'p --help')"},
        {{"--guides", "--window"}, native, "p: --guides goes with --frame, --frames or --record (try 'p --help')"},
        {{"--record", "a.mkv", "--seconds", "2", "--start", "-1"}, native, "p: bad --start value '-1': expected 0 to 4294967295 (milliseconds, " + digits},
        {{"--start", "5"}, win32, "p: --start is not available in this build (try 'p --help')"},
        {{"--record", "--seconds", "2"}, native, "p: --record needs a file name, not the option --seconds (try 'p --help')"},
        {{"--record", "a.mkv", "--seconds"}, native, "p: --seconds needs a value (try 'p --help')"},
        {{"--record", "v.xyz", "--seconds", "2"}, native,
         "p: bad --record value 'v.xyz': expected a file name ending in .mp4, .m4v, .mov, .mkv, .webm, .nut, .avi or .gif (try 'p --help')"},
        {{"--record", ".mp4", "--seconds", "2"}, native,
         "p: bad --record value '.mp4': expected a file name ending in .mp4, .m4v, .mov, .mkv, .webm, .nut, .avi or .gif (try 'p --help')"},
        {{"--record", "dir/.mkv", "--seconds", "2"}, native,
         "p: bad --record value 'dir/.mkv': expected a file name ending in .mp4, .m4v, .mov, .mkv, .webm, .nut, .avi or .gif (try 'p --help')"},
        {{"--record", "v.mkv", "--seconds", "2", "--window"}, native, "p: --window does not go with --record (try 'p --help')"},
        {{"--scale", "2", "--verbose"}, native, "p: --scale goes with --record (try 'p --help')"},
        {{"--verbose", "--record", "a.mkv", "--seconds", "2"}, win32, "p: unknown option '--verbose' (try 'p --help')"},
        {{"--record", "a.mkv", "--seconds", "2"}, win32, "p: --record is not available in this build (try 'p --help')"},
        {{"a.png"}, native, "p: unexpected argument 'a.png' (try 'p --help')"},
        {{"--x\x1b]0;owned\x07\x9b" "2J"}, native, "p: unknown option '--x\\x1b]0;owned\\x07\\x9b2J' (try 'p --help')"},
        {{"--x\x7f\xed\xa0\x80"}, native, "p: unknown option '--x\\x7f\\xed\\xa0\\x80' (try 'p --help')"},  // DEL, a surrogate
        {{"--record", "v\n\r\xc2\x9b.avi\xe2\x80\xa8.gz", "--seconds", "2"}, native,
         "p: bad --record value 'v\\n\\r\\u009b.avi\xe2\x80\xa8.gz': expected a file name ending in .mp4, .m4v, .mov, .mkv, .webm, .nut, .avi or .gif (try 'p --help')"},
    };
    for (const auto& row : rows) {
        std::vector<std::string> args = row.args;
        args.insert(args.begin(), "p");
        const CommandLine line = parse(args, row.features);
        EXPECT_EQ(line.action, CommandLine::bad) << row.line;
        EXPECT_EQ(usage_line(info, line.error), row.line);
    }
    // The same readers accept what they promise.
    const CommandLine record = parse({"p", "--record", "a.MKV", "--seconds", "0086400.000", "--fps", "007"}, native);
    EXPECT_EQ(record.action, CommandLine::record);
    EXPECT_EQ(record.record_options.seconds, 86400.0);
    EXPECT_EQ(record.record_options.fps, 7);
}

TEST(CommandLine, HelpListsWhatTheBuildOffers) {
    const ProgramInfo info{"curves", "Arcs.", 320, 200, 4, 3, ProgramClock::scene_start, 288000, nullptr};
    const std::string windows = help_text(info, win32), linux = help_text(info, native);
    EXPECT_NE(windows.find("--frame MS FILE.bmp"), std::string::npos);
    EXPECT_NE(windows.find("320x200 24-bit BMP"), std::string::npos);
    EXPECT_NE(windows.find("--quiet"), std::string::npos);
    EXPECT_EQ(windows.find("--record"), std::string::npos);
    EXPECT_NE(linux.find("--record FILE"), std::string::npos);
    for (const std::string& help : {windows, linux})
        EXPECT_TRUE(help.find("--frames FROM TO STEP PATTERN") != std::string::npos &&
                    help.find("--guides") != std::string::npos);
    EXPECT_EQ(windows.find("--start"), std::string::npos);
    EXPECT_NE(linux.find("--start MS"), std::string::npos);
    EXPECT_EQ(linux.find("--quiet"), std::string::npos);
}

}  // namespace
