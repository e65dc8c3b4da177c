#include "command_line.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <vector>

#include "terminal_text.h"
#include "video_formats.h"

namespace {

CommandLine bad(const std::string& what) {
    CommandLine line;
    line.action = CommandLine::bad;
    line.error = what;
    return line;
}

// Every option of this command line, on any build: a file name that is one
// of them is a mistake far more often than a file of that name.
bool is_option(const std::string& text) {
    for (const char* option : {"--frame", "--frames", "--record", "--seconds", "--start", "--fps", "--scale",
                               "--window", "--square-pixels", "--guides", "--quiet", "--verbose", "--help", "-h",
                               "--version"})
        if (text == option) return true;
    return false;
}

// An argument as a message names it: an option as it is, anything else quoted.
std::string named(const std::string& argument) { return is_option(argument) ? argument : "'" + argument + "'"; }

// The one line for a value of the wrong form or out of range, whatever the
// option: "bad --fps value '+5': expected 1 to 240 (frames per second, ...)".
std::string bad_value(const std::string& option, const std::string& value, const std::string& expected) {
    return "bad " + option + " value '" + value + "': expected " + expected;
}

// Plain decimal digits only (no sign, space or other base), at least one;
// their value, or some value above `high` when it is larger.
bool read_digits(const char*& p, std::uint64_t high, std::uint64_t& value) {
    const char* start = p;
    value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        value = value > high ? value : value * 10 + static_cast<std::uint64_t>(*p - '0');
    return p != start;
}

// A whole number in [low, high] written as decimal digits; false for anything else.
bool parse_whole(const char* text, std::uint64_t low, std::uint64_t high, std::uint64_t& value) {
    std::uint64_t parsed = 0;
    if (!text || !read_digits(text, high, parsed) || *text != '\0' || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

// A decimal number above 0 up to `high`: digits with an optional fraction
// (".5", "5.", "1e3", "+5", "0x10" and "inf" are refused).
bool parse_decimal(const char* text, double high, double& value) {
    if (!text) return false;
    const char* p = text;
    std::uint64_t digits = 0;
    if (!read_digits(p, 0, digits) || (*p == '.' && !read_digits(++p, 0, digits)) || *p != '\0') return false;
    const double parsed = std::strtod(text, nullptr);  // the form is checked: nearest double
    if (!(parsed > 0) || parsed > high) return false;
    value = parsed;
    return true;
}

const char* const milliseconds_expected = "0 to 4294967295 (milliseconds, decimal digits only)";

// --scale K, of a capture or a run of frames; an empty string when it is fine.
std::string parse_scale(const char* value, int& scale) {
    std::uint64_t whole = 0;
    if (!parse_whole(value, 1, 16, whole))
        return bad_value("--scale", value, "1 to 16 (a whole factor, decimal digits only)");
    scale = static_cast<int>(whole);
    return "";
}

// A capture option and its value; an empty string when it is fine.
std::string parse_record_option(const std::string& option, const char* value, RecordOptions& record) {
    std::uint64_t whole = 0;
    if (option == "--record") {
        if (!*value) return "--record needs a file name";
        if (is_option(value)) return std::string("--record needs a file name, not the option ") + value;
        if (!video_format_for(value))
            return bad_value(option, value, "a file name ending in " + video_extensions());
        record.file = value;
    } else if (option == "--seconds") {
        if (!parse_decimal(value, 86400, record.seconds))
            return bad_value(option, value, "above 0 up to 86400 (seconds, decimal digits, a fraction as in 2.5)");
    } else if (option == "--start") {
        if (!parse_milliseconds(value, record.start)) return bad_value(option, value, milliseconds_expected);
    } else if (option == "--fps") {
        if (!parse_whole(value, 1, 240, whole))
            return bad_value(option, value, "1 to 240 (frames per second, decimal digits only)");
        record.fps = static_cast<int>(whole);
    } else {
        return parse_scale(value, record.scale);
    }
    return "";
}

// The name says what the file holds: a.bmp never gets a PNG. A name without
// an extension (a device such as /dev/stdout) takes the format. An empty
// string when it is fine.
std::string check_extension(const std::string& option, const std::string& file, const CommandLineFeatures& features) {
    std::string extension = "." + std::string(features.frame_format);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string given = lower_case_extension(file);
    if (given.empty() || given == extension) return "";
    return "bad " + option + " file name '" + file + "': expected a " + features.frame_format +
           " file name ending in " + extension;
}

// --frame MS FILE, all alone.
CommandLine parse_frame(int argc, char** argv, const CommandLineFeatures& features) {
    const std::string needs = std::string("--frame needs a time in milliseconds and a ") + features.frame_format +
                              " file name";
    if (argc < 4) return bad(needs);
    if (argc > 4) {
        const std::string extra = argv[4];
        return bad(extra[0] == '-' ? "--frame goes alone, not with " + named(extra)
                                   : "--frame takes one time and one file name, not also " + named(extra));
    }
    CommandLine line;
    line.action = CommandLine::frame;
    if (!parse_milliseconds(argv[2], line.ms)) return bad(bad_value("--frame", argv[2], milliseconds_expected));
    line.file = argv[3];
    if (is_option(line.file))
        return bad(std::string("--frame needs a ") + features.frame_format + " file name, not the option " + line.file);
    const std::string error = check_extension("--frame", line.file, features);
    return error.empty() ? line : bad(error);
}

// --frames FROM TO STEP PATTERN, then --scale K and --square-pixels.
CommandLine parse_frames(int argc, char** argv, const CommandLineFeatures& features) {
    const std::string format = features.frame_format;
    if (argc < 6)
        return bad("--frames needs FROM, TO and STEP in milliseconds and a " + format +
                   " file name pattern such as f%05d" + (format == "PNG" ? ".png" : ".bmp"));
    CommandLine line;
    line.action = CommandLine::frames;
    FramesOptions& frames = line.frames_options;
    const char* const names[3] = {"FROM", "TO", "STEP"};
    std::uint32_t* const values[3] = {&frames.from, &frames.to, &frames.step};
    for (int k = 0; k < 3; ++k)
        if (!parse_milliseconds(argv[2 + k], *values[k]) || (k == 2 && frames.step == 0))
            return bad(bad_value(std::string("--frames ") + names[k], argv[2 + k],
                                 k == 2 ? "1 to 4294967295 (milliseconds, decimal digits only)"
                                        : milliseconds_expected));
    if (frames.from > frames.to)
        return bad("--frames goes from FROM up to TO, not from " + std::string(argv[2]) + " down to " + argv[3]);
    const std::string pattern = argv[5];
    if (is_option(pattern))
        return bad("--frames needs a " + format + " file name pattern, not the option " + pattern);
    std::string error = parse_frame_pattern(pattern, frames.pattern);
    if (!error.empty()) return bad("bad --frames pattern '" + pattern + "': " + error);
    error = check_extension("--frames", pattern, features);
    if (!error.empty()) return bad(error);
    std::set<std::string> given;
    for (int i = 6; i < argc; ++i) {
        const std::string option = argv[i];
        if (option != "--scale" && option != "--square-pixels")
            return bad("--frames takes --scale, --square-pixels and --guides, not " + named(option));
        if (!given.insert(option).second) return bad(option + " is given twice");
        if (option == "--square-pixels") {
            frames.square_pixels = true;
        } else {
            if (i + 1 >= argc) return bad("--scale needs a value");
            error = parse_scale(argv[++i], frames.scale);
            if (!error.empty()) return bad(error);
        }
    }
    return line;
}

// The command line without --guides, which goes with --frame, --frames and
// --record wherever it stands.
CommandLine parse_without_guides(int argc, char** argv, const CommandLineFeatures& features) {
    CommandLine line;
    if (argc <= 1) return line;
    const std::string first = argv[1];
    if (first == "--help" || first == "-h" || first == "--version") {
        if (argc != 2) return bad(first + " goes alone, not with " + named(argv[2]));
        line.action = first == "--version" ? CommandLine::version : CommandLine::help;
        return line;
    }
    if (first == "--frame") return parse_frame(argc, argv, features);
    if (first == "--frames") return parse_frames(argc, argv, features);

    std::set<std::string> given;
    std::string capture_option;  // the first option that only a capture takes
    bool seconds_given = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool capture = option == "--record" || option == "--seconds" || option == "--start" ||
                             option == "--fps" || option == "--scale";
        const bool known = capture || option == "--window" || option == "--square-pixels" ||
                           (option == "--quiet" && features.quiet) || (option == "--verbose" && features.verbose);
        if (known && !given.insert(option).second) return bad(option + " is given twice");
        if (option == "--window") {
            line.run_options.window = true;
        } else if (option == "--square-pixels") {
            line.run_options.square_pixels = line.record_options.square_pixels = true;
        } else if (option == "--quiet" && features.quiet) {
            line.run_options.quiet = true;
        } else if (option == "--verbose" && features.verbose) {
            line.record_options.verbose = true;
            if (capture_option.empty()) capture_option = option;
        } else if (capture && !features.record) {
            return bad(option + " is not available in this build");
        } else if (capture) {
            if (i + 1 >= argc) return bad(option + " needs a value");
            const std::string error = parse_record_option(option, argv[++i], line.record_options);
            if (!error.empty()) return bad(error);
            if (option == "--record") line.action = CommandLine::record;
            seconds_given = seconds_given || option == "--seconds";
            if (option != "--record" && capture_option.empty()) capture_option = option;
        } else if (option == "--frames") {
            return bad("--frames comes first, before " + named(argv[1]));
        } else if (option == "--frame" || option == "--help" || option == "-h" || option == "--version") {
            return bad(option + " goes alone, not with " + named(argv[i == 1 ? 2 : 1]));
        } else if (!option.empty() && option[0] == '-') {
            return bad("unknown option '" + option + "'");
        } else {
            return bad("unexpected argument '" + option + "'");
        }
    }
    if (line.action == CommandLine::record) {
        if (!seconds_given) return bad("--record needs --seconds");
        if (line.run_options.window) return bad("--window does not go with --record");
        RecordOptions& record = line.record_options;
        const VideoFormat& format = *video_format_for(record.file);
        if (format.most_fps && !given.count("--fps")) record.fps = format.most_fps;
        if (format.most_fps && record.fps > format.most_fps)
            return bad(bad_value("--fps", std::to_string(record.fps),
                                 "1 to " + std::to_string(format.most_fps) + " for a " + format.extension +
                                     " file (the most its players keep)"));
    } else if (!capture_option.empty()) {
        return bad(capture_option + " goes with --record");
    }
    return line;
}

}  // namespace

bool parse_milliseconds(const char* text, std::uint32_t& ms) {
    std::uint64_t value = 0;
    if (!parse_whole(text, 0, 0xFFFFFFFFull, value)) return false;
    ms = static_cast<std::uint32_t>(value);
    return true;
}

CommandLine parse_command_line(int argc, char** argv, const CommandLineFeatures& features) {
    std::vector<char*> rest;
    int guides = 0;
    for (int i = 0; i < argc; ++i) {
        if (i > 0 && std::string(argv[i]) == "--guides") ++guides;
        else rest.push_back(argv[i]);
    }
    if (guides > 1) return bad("--guides is given twice");
    rest.push_back(nullptr);  // as main's argv[argc]
    CommandLine line = parse_without_guides(static_cast<int>(rest.size()) - 1, rest.data(), features);
    if (!guides || line.action == CommandLine::bad) return line;
    switch (line.action) {
        case CommandLine::frame:
            line.guides = true;
            break;
        case CommandLine::frames:
            line.frames_options.guides = true;
            break;
        case CommandLine::record:
            line.record_options.guides = true;
            break;
        case CommandLine::help:
        case CommandLine::version:
            return bad(std::string(rest[1]) + " goes alone, not with --guides");
        default:
            return bad("--guides goes with --frame, --frames or --record");
    }
    return line;
}

std::string message_line(const char* name, const std::string& what) {
    return escape_controls(std::string(name) + ": " + what);
}

std::string usage_line(const ProgramInfo& info, const std::string& what) {
    return message_line(info.name, what + " (try '" + info.name + " --help')");
}

std::string display_failure_line(const ProgramInfo& info, const std::string& why) {
    return message_line(info.name, "cannot open a " + std::to_string(info.width) + "x" + std::to_string(info.height) +
                                       " display: " + why);
}

namespace {

// The lines of --help, part by part.
std::string usage_text(const ProgramInfo& info, const CommandLineFeatures& features, const std::string& extension) {
    const std::string name = info.name, indent(name.size(), ' ');
    std::string text = "Usage: " + name + (features.quiet ? " [--window] [--square-pixels] [--quiet]\n"
                                                          : " [--window] [--square-pixels]\n");
    text += "       " + name + " --frame MS FILE." + extension + " [--guides]\n";
    text += "       " + name + " --frames FROM TO STEP PATTERN [--scale K] [--square-pixels]\n" +
            "       " + indent + "          [--guides]\n";
    if (features.record)
        text += "       " + name + " --record FILE --seconds S [--start MS] [--fps F] [--scale K]\n" +
                "       " + indent + "          [--square-pixels] [--guides] [--verbose]\n";
    return text + info.summary + "\n\n";
}

std::string still_options_text(const ProgramInfo& info, bool png, const std::string& extension, bool record) {
    return "  --frame MS FILE." + extension +
           "  render the frame at time MS without a display and\n"
           "                       write it as a " +
           std::to_string(info.width) + "x" + std::to_string(info.height) + " " +
           (png ? "RGB PNG" : "24-bit BMP") + "; " + clock_help(info) + "\n" +
           "                       (an existing file is overwritten)\n"
           "  --frames FROM TO STEP PATTERN\n"
           "                       write the frames at FROM, FROM+STEP, ... up to TO\n"
           "                       (ms) as --frame does, numbered from 0 into the one\n"
           "                       %d or %0Nd field of PATTERN (N 1 to 9, no other\n"
           "                       '%'), such as f%05d." +
           extension +
           "; with --scale K, scaled as\n"
           "                       a recording is; a file is never overwritten: when a\n"
           "                       name is taken, nothing is written (status 2)\n" +
           (record ? "  --guides             with --frame, --frames or --record: draw the\n"
                     "                       frame's construction over it\n"
                   : "  --guides             with --frame or --frames: draw the frame's\n"
                     "                       construction over it\n");
}

const char* const record_options_text =
    "  --record FILE        render S seconds without a display into a video\n"
    "                       through ffmpeg (.mp4, .m4v, .mov: H.264; .mkv:\n"
    "                       lossless FFV1; .webm, .nut, .avi, .gif: ffmpeg's\n"
    "                       choice); frame i is the frame at MS+i*1000/F ms\n"
    "                       (MS of --start); an existing FILE is overwritten\n"
    "                       once the video is whole, and a failed or\n"
    "                       interrupted capture leaves nothing there\n"
    "  --seconds S          length of the recording, above 0 up to 86400, such\n"
    "                       as 2.5 (required with --record)\n"
    "  --start MS           time of the recording's first frame (0)\n"
    "  --fps F              frames per second of the recording, 1 to 240 (60);\n"
    "                       for .gif 1 to 50 (50), so that it plays in S seconds\n"
    "  --scale K            whole scaling factor of the recording, 1 to 16 (3)\n"
    "  --verbose            show ffmpeg's own messages as well\n";

std::string screen_options_text(const CommandLineFeatures& features) {
    std::string text =
        "  --window             start in a window instead of fullscreen (a program\n"
        "                       with a 320x240 frame always starts in one): the\n"
        "                       largest whole multiple of the 4:3 picture (with\n"
        "                       --square-pixels, of the frame) that fits the desktop\n"
        "  --square-pixels      1:1 pixels instead of stretching a 320x200 frame to\n"
        "                       the 4:3 picture of the time: on the screen, " +
        std::string(features.record ? "in a\n                       recording " : "") + "and with --frames --scale\n";
    if (features.quiet)
        text +=
            "  --quiet              when fullscreen cannot be had, end with status 1\n"
            "                       instead of offering to play in a window\n";
    return text +
           "  --help               show this help and exit\n"
           "  --version            show the version and exit\n\n";
}

}  // namespace

std::string help_text(const ProgramInfo& info, const CommandLineFeatures& features) {
    const bool png = std::string(features.frame_format) == "PNG";
    const std::string extension = png ? "png" : "bmp";
    std::string text = usage_text(info, features, extension) + still_options_text(info, png, extension, features.record);
    if (features.record) text += record_options_text;
    text += screen_options_text(features);
    text += features.keys_help;
    char step[16];
    std::snprintf(step, sizeof step, "%g s", info.step_ms / 1000.0);
    text +=
        "On the screen the time is yours: Space pauses and resumes; ',' and '.'\n"
        "step one 16 ms tick back or forward while paused; Left and Right move\n"
        "1 s (with Shift, 10 s); '[' and ']' halve and double the speed (1/4x to\n"
        "4x); Home restarts.\n" +
        (info.step_ms ? "PageUp and PageDown go to the previous or next step (of " + std::string(step) + ").\n"
                      : std::string("PageUp and PageDown move 10 s back or forward.\n")) +
        "A marks the start of a stretch and B its end, which then repeats; A\n"
        "again clears both. I shows a line with the time, speed, marks and\n"
        "frame rate. G draws the guides, the picture's construction, over it.\n"
        "S saves the frame shown as " + std::string(info.name) + "-MS." + extension +
        " in the current folder (-2, -3, ...\nwhen taken) and prints its name and its page link.\n\n";
    text +=
        "Exit status: 0 on a normal end, 1 when no display can be opened,\n"
        "2 for a bad command line";
    text += features.record ? ", an unwritable file or a failed capture;\n"
                              "128 + the signal's number when SIGINT, SIGTERM or SIGHUP ends a capture\n"
                              "or a run of frames.\n"
                            : " or an unwritable file.\n";
    return text;
}
