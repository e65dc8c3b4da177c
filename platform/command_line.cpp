#include "command_line.h"

#include <cerrno>
#include <cstdlib>

namespace {

CommandLine bad(const std::string& what) {
    CommandLine line;
    line.action = CommandLine::bad;
    line.error = what;
    return line;
}

// Whole number in [low, high]; false for anything else.
bool parse_int_in(const char* text, int low, int high, int& value) {
    std::uint32_t parsed = 0;
    if (!parse_milliseconds(text, parsed) || parsed < static_cast<std::uint32_t>(low) ||
        parsed > static_cast<std::uint32_t>(high))
        return false;
    value = static_cast<int>(parsed);
    return true;
}

// Positive decimal seconds, at most a day.
bool parse_seconds(const char* text, double& seconds) {
    if (!text || !*text) return false;
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(text, &end);
    if (errno != 0 || *end != '\0' || !(value > 0) || value > 86400 || text[0] == '+' || text[0] == ' ')
        return false;
    seconds = value;
    return true;
}

CommandLine parse_frame(int argc, char** argv, const CommandLineFeatures& features) {
    if (argc != 4)
        return bad(std::string("--frame needs a time in milliseconds and a ") + features.frame_format + " file name");
    CommandLine line;
    line.action = CommandLine::frame;
    if (!parse_milliseconds(argv[2], line.ms))
        return bad(std::string("bad time '") + argv[2] + "': expected 0 to 4294967295 milliseconds");
    line.file = argv[3];
    return line;
}

// A capture option and its value; an empty string when it is fine.
std::string parse_record_option(const std::string& option, const char* value, RecordOptions& record) {
    if (option == "--record") {
        if (!*value) return "--record needs a file name";
        record.file = value;
    } else if (option == "--seconds") {
        if (!parse_seconds(value, record.seconds))
            return std::string("bad --seconds '") + value + "': expected a number above 0 up to 86400";
    } else if (option == "--fps") {
        if (!parse_int_in(value, 1, 240, record.fps))
            return std::string("bad --fps '") + value + "': expected a whole number from 1 to 240";
    } else if (!parse_int_in(value, 1, 16, record.scale)) {
        return std::string("bad --scale '") + value + "': expected a whole number from 1 to 16";
    }
    return "";
}

}  // namespace

bool parse_milliseconds(const char* text, std::uint32_t& ms) {
    if (!text || !*text) return false;
    std::uint64_t value = 0;
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9') return false;
        value = value * 10 + static_cast<std::uint64_t>(*p - '0');
        if (value > 0xFFFFFFFFull) return false;
    }
    ms = static_cast<std::uint32_t>(value);
    return true;
}

CommandLine parse_command_line(int argc, char** argv, const CommandLineFeatures& features) {
    CommandLine line;
    if (argc <= 1) return line;
    const std::string first = argv[1];
    if (first == "--help" || first == "-h" || first == "--version") {
        if (argc != 2) return bad(first + " takes no arguments");
        line.action = first == "--version" ? CommandLine::version : CommandLine::help;
        return line;
    }
    if (first == "--frame") return parse_frame(argc, argv, features);

    bool seconds_given = false, capture_option = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool capture = option == "--record" || option == "--seconds" || option == "--fps" || option == "--scale";
        if (option == "--window") {
            line.run_options.window = true;
        } else if (option == "--square-pixels") {
            line.run_options.square_pixels = line.record_options.square_pixels = true;
        } else if (option == "--quiet" && features.quiet) {
            line.run_options.quiet = true;
        } else if (option == "--verbose" && features.verbose) {
            line.record_options.verbose = capture_option = true;
        } else if (capture && !features.record) {
            return bad(option + " is not available in this build");
        } else if (capture) {
            if (i + 1 >= argc) return bad(option + " needs a value");
            const std::string error = parse_record_option(option, argv[++i], line.record_options);
            if (!error.empty()) return bad(error);
            if (option == "--record") line.action = CommandLine::record;
            seconds_given = seconds_given || option == "--seconds";
            capture_option = capture_option || option != "--record";
        } else if (option == "--frame" || option == "--help" || option == "--version") {
            return bad(option + " goes alone");
        } else {
            return bad("unknown option '" + option + "'");
        }
    }
    if (line.action == CommandLine::record) {
        if (!seconds_given) return bad("--record needs --seconds");
        if (line.run_options.window) return bad("--window does not go with --record");
    } else if (capture_option) {
        return bad("--seconds, --fps, --scale and --verbose go with --record");
    }
    return line;
}

std::string usage_line(const ProgramInfo& info, const std::string& what) {
    return std::string(info.name) + ": " + what + " (try '" + info.name + " --help')";
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
            "                       through ffmpeg (.mp4: H.264; .mkv: lossless FFV1);\n"
            "                       frame i is the frame at i*1000/F ms; an existing\n"
            "                       FILE is overwritten once the video is whole, and a\n"
            "                       failed or interrupted capture leaves nothing there\n"
            "  --seconds S          length of the recording (required with --record)\n"
            "  --fps F              frames per second of the recording, 1 to 240 (60)\n"
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
