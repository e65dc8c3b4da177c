#include "command_line.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "terminal_text.h"
#include "video_formats.h"

bool is_option(const std::string& text) {
    for (const char* option : {"--frame", "--record", "--seconds", "--fps", "--scale", "--window", "--square-pixels",
                               "--quiet", "--verbose", "--help", "-h", "--version"})
        if (text == option) return true;
    return false;
}

std::string bad_value(const std::string& option, const std::string& value, const std::string& expected) {
    return "bad " + option + " value '" + value + "': expected " + expected;
}

bool read_digits(const char*& p, std::uint64_t high, std::uint64_t& value) {
    const char* start = p;
    value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        value = value > high ? value : value * 10 + static_cast<std::uint64_t>(*p - '0');
    return p != start;
}

bool parse_whole(const char* text, std::uint64_t low, std::uint64_t high, std::uint64_t& value) {
    std::uint64_t parsed = 0;
    if (!text || !read_digits(text, high, parsed) || *text != '\0' || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

namespace {

CommandLine bad(const std::string& what) {
    CommandLine line;
    line.action = CommandLine::bad;
    line.error = what;
    return line;
}

// An argument as a message names it: an option as it is, anything else quoted.
std::string named(const std::string& argument) { return is_option(argument) ? argument : "'" + argument + "'"; }

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
    if (!parse_milliseconds(argv[2], line.ms))
        return bad(bad_value("--frame", argv[2], "0 to 4294967295 (milliseconds, decimal digits only)"));
    line.file = argv[3];
    if (is_option(line.file))
        return bad(std::string("--frame needs a ") + features.frame_format + " file name, not the option " + line.file);
    // The name says what the file holds: a.bmp never gets a PNG. A name
    // without an extension (a device such as /dev/stdout) takes the format.
    std::string extension = "." + std::string(features.frame_format);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string given = lower_case_extension(line.file);
    if (!given.empty() && given != extension)
        return bad("bad --frame file name '" + line.file + "': expected a " + features.frame_format +
                   " file name ending in " + extension);
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
    CommandLine line;
    if (argc <= 1) return line;
    const std::string first = argv[1];
    if (first == "--help" || first == "-h" || first == "--version") {
        if (argc != 2) return bad(first + " goes alone, not with " + named(argv[2]));
        line.action = first == "--version" ? CommandLine::version : CommandLine::help;
        return line;
    }
    if (first == "--frame") return parse_frame(argc, argv, features);

    std::vector<std::string> given;  // the known options so far, each once
    std::string capture_option;  // the first option that only a capture takes
    bool seconds_given = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool capture = option == "--record" || option == "--seconds" || option == "--fps" || option == "--scale";
        const bool known = capture || option == "--window" || option == "--square-pixels" ||
                           (option == "--quiet" && features.quiet) || (option == "--verbose" && features.verbose);
        if (known) {
            if (std::find(given.begin(), given.end(), option) != given.end()) return bad(option + " is given twice");
            given.push_back(option);
        }
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
            const std::string error = features.record(option, argv[++i], line.record_options);
            if (!error.empty()) return bad(error);
            if (option == "--record") line.action = CommandLine::record;
            seconds_given = seconds_given || option == "--seconds";
            if (option != "--record" && capture_option.empty()) capture_option = option;
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
        if (format.most_fps && std::find(given.begin(), given.end(), "--fps") == given.end()) record.fps = format.most_fps;
        if (format.most_fps && record.fps > format.most_fps)
            return bad(bad_value("--fps", std::to_string(record.fps),
                                 "1 to " + std::to_string(format.most_fps) + " for a " + format.extension +
                                     " file (the most its players keep)"));
    } else if (!capture_option.empty()) {
        return bad(capture_option + " goes with --record");
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

std::string help_text(const ProgramInfo& info, const CommandLineFeatures& features) {
    const std::string name = info.name;
    const bool png = std::string(features.frame_format) == "PNG";
    const std::string extension = png ? "png" : "bmp";
    std::string text = "Usage: " + name + (features.quiet ? " [--window] [--square-pixels] [--quiet]\n"
                                                          : " [--window] [--square-pixels]\n");
    text += "       " + name + " --frame MS FILE." + extension + "\n";
    if (features.record)
        text += "       " + name + " --record FILE --seconds S [--fps F] [--scale K] [--square-pixels]\n" +
                "       " + std::string(name.size(), ' ') + "          [--verbose]\n";
    text += std::string(info.summary) + "\n\n";
    text += "  --frame MS FILE." + extension +
            "  render the frame at time MS without a display and\n"
            "                       write it as a " +
            std::to_string(info.width) + "x" + std::to_string(info.height) + " " +
            (png ? "RGB PNG" : "24-bit BMP") + "; " + clock_help(info) + "\n" +
            "                       (an existing file is overwritten)\n";
    if (features.record)
        text +=
            "  --record FILE        render S seconds without a display into a video\n"
            "                       through ffmpeg (.mp4, .m4v, .mov: H.264; .mkv:\n"
            "                       lossless FFV1; .webm, .nut, .avi, .gif: ffmpeg's\n"
            "                       choice); frame i is the frame at i*1000/F ms; an\n"
            "                       existing FILE is overwritten once the video is\n"
            "                       whole, and a failed or interrupted capture leaves\n"
            "                       nothing there\n"
            "  --seconds S          length of the recording, above 0 up to 86400, such\n"
            "                       as 2.5 (required with --record)\n"
            "  --fps F              frames per second of the recording, 1 to 240 (60);\n"
            "                       for .gif 1 to 50 (50), so that it plays in S seconds\n"
            "  --scale K            whole scaling factor of the recording, 1 to 16 (3)\n"
            "  --verbose            show ffmpeg's own messages as well\n";
    text +=
        "  --window             start in a window instead of fullscreen (a program\n"
        "                       with a 320x240 frame always starts in one): the\n"
        "                       largest whole multiple of the 4:3 picture (with\n"
        "                       --square-pixels, of the frame) that fits the desktop\n";
    text += features.record ? "  --square-pixels      show (or record) 1:1 pixels instead of stretching\n"
                            : "  --square-pixels      show 1:1 pixels instead of stretching\n";
    text += "                       a 320x200 frame to the 4:3 picture of the time\n";
    if (features.quiet)
        text +=
            "  --quiet              when fullscreen cannot be had, end with status 1\n"
            "                       instead of offering to play in a window\n";
    text +=
        "  --help               show this help and exit\n"
        "  --version            show the version and exit\n\n";
    text += features.keys_help;
    text +=
        "On the screen the time is yours: Space pauses and resumes; ',' and '.'\n"
        "step one 16 ms tick back or forward while paused; Left and Right move\n"
        "1 s (with Shift, 10 s); '[' and ']' halve and double the speed (1/4x to\n"
        "4x); Home restarts; I shows a line with the time, speed and frame rate.\n\n";
    text +=
        "Exit status: 0 on a normal end, 1 when no display can be opened,\n"
        "2 for a bad command line";
    text += features.record ? ", an unwritable file or a failed capture;\n"
                              "128 + the signal's number when SIGINT, SIGTERM or SIGHUP ends a capture.\n"
                            : " or an unwritable file.\n";
    return text;
}
