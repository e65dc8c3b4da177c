#include "command_line.h"

#include <cstdio>

#include "terminal_text.h"
#include "video_formats.h"

bool is_option(std::string_view text) {
    for (const char* option : {"--frame", "--frames", "--record", "--seconds", "--start", "--fps", "--scale",
                               "--window", "--square-pixels", "--guides", "--quiet", "--verbose", "--help", "-h",
                               "--version"})
        if (text == option) return true;
    return false;
}

std::string bad_value(std::string_view option, std::string_view value, std::string_view expected) {
    return joined({"bad ", option, " value '", value, "': expected ", expected});
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

const char* const milliseconds_expected = "0 to 4294967295 (milliseconds, decimal digits only)";

std::string parse_scale(const char* value, int& scale) {
    std::uint64_t whole = 0;
    if (!parse_whole(value, 1, 16, whole))
        return bad_value("--scale", value, "1 to 16 (a whole factor, decimal digits only)");
    scale = static_cast<int>(whole);
    return "";
}

namespace {

// The build's still frames' extension with its dot: ".png" or ".bmp".
std::string_view frame_extension(const CommandLineFeatures& features) {
    return std::string_view(features.frame_format) == "PNG" ? ".png" : ".bmp";
}

// Each reader below fills `line` and returns "" when the command line is
// good, else what is wrong with it.

// The name says what the file holds: a.bmp never gets a PNG. A name without
// an extension (a device such as /dev/stdout) takes the format.
std::string check_extension(std::string_view option, const std::string& file, const CommandLineFeatures& features) {
    const std::string_view extension = frame_extension(features);
    const std::string given = lower_case_extension(file);
    if (given.empty() || given == extension) return "";
    return joined({"bad ", option, " file name '", file, "': expected a ", features.frame_format,
                   " file name ending in ", extension});
}

// An argument as a message names it: an option as it is, anything else quoted.
std::string named(std::string_view argument) {
    return is_option(argument) ? std::string(argument) : joined({"'", argument, "'"});
}

// "OPTION is given twice" when `given` is already set, else sets it.
std::string once(std::string_view option, bool& given) {
    if (given) return joined({option, " is given twice"});
    given = true;
    return "";
}

// --frame MS FILE, all alone.
std::string read_frame(int argc, char** argv, const CommandLineFeatures& features, CommandLine& line) {
    if (argc < 4) return joined({"--frame needs a time in milliseconds and a ", features.frame_format, " file name"});
    if (argc > 4)
        return joined({argv[4][0] == '-' ? "--frame goes alone, not with "
                                         : "--frame takes one time and one file name, not also ",
                       named(argv[4])});
    line.action = CommandLine::frame;
    if (!parse_milliseconds(argv[2], line.ms)) return bad_value("--frame", argv[2], milliseconds_expected);
    line.file = argv[3];
    if (is_option(line.file))
        return joined({"--frame needs a ", features.frame_format, " file name, not the option ", line.file});
    return check_extension("--frame", line.file, features);
}

// --frames FROM TO STEP PATTERN, then --scale K and --square-pixels.
std::string read_frames(int argc, char** argv, const CommandLineFeatures& features, CommandLine& line) {
    const std::string_view format = features.frame_format;
    if (argc < 6)
        return joined({"--frames needs FROM, TO and STEP in milliseconds and a ", format,
                       " file name pattern such as f%05d", frame_extension(features)});
    line.action = CommandLine::frames;
    FramesOptions& frames = line.frames_options;
    const char* const names[3] = {"--frames FROM", "--frames TO", "--frames STEP"};
    std::uint32_t* const values[3] = {&frames.from, &frames.to, &frames.step};
    for (int k = 0; k < 3; ++k)
        if (!parse_milliseconds(argv[2 + k], *values[k]) || (k == 2 && frames.step == 0))
            return bad_value(names[k], argv[2 + k],
                             k == 2 ? "1 to 4294967295 (milliseconds, decimal digits only)" : milliseconds_expected);
    if (frames.from > frames.to)
        return joined({"--frames goes from FROM up to TO, not from ", argv[2], " down to ", argv[3]});
    const std::string pattern = argv[5];
    if (is_option(pattern)) return joined({"--frames needs a ", format, " file name pattern, not the option ", pattern});
    std::string error = parse_frame_pattern(pattern, frames.pattern);
    if (!error.empty()) return joined({"bad --frames pattern '", pattern, "': ", error});
    error = check_extension("--frames", pattern, features);
    bool scale_given = false, square_given = false;
    for (int i = 6; i < argc && error.empty(); ++i) {
        const std::string_view option = argv[i];
        if (option == "--square-pixels") {
            error = once(option, square_given);
            frames.square_pixels = true;
        } else if (option != "--scale") {
            error = joined({"--frames takes --scale, --square-pixels and --guides, not ", named(option)});
        } else if (!(error = once(option, scale_given)).empty()) {
        } else if (i + 1 >= argc) {
            error = "--scale needs a value";
        } else {
            error = parse_scale(argv[++i], frames.scale);
        }
    }
    return error;
}

// The options of a run on the screen or a capture, in any order.
std::string read_run_or_record(int argc, char** argv, const CommandLineFeatures& features, CommandLine& line) {
    // The options that may be given once, and whether each has been; the
    // capture's own come first, up to the first that a run takes too.
    enum Known { record, seconds, start, fps, scale, window, square_pixels, quiet, verbose, unknown };
    const char* const once_options[unknown] = {"--record", "--seconds", "--start", "--fps", "--scale",
                                               "--window", "--square-pixels", "--quiet", "--verbose"};
    bool given[unknown] = {};
    const char* capture_option = nullptr;  // the first option that only a capture takes
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        int found = 0;
        while (found < unknown && option != once_options[found]) ++found;
        Known known = static_cast<Known>(found);
        const bool capture = known < window;
        if ((known == quiet && !features.quiet) || (known == verbose && !features.verbose)) known = unknown;
        if (known != unknown) {
            std::string error = once(option, given[known]);
            if (!error.empty()) return error;
        }
        if (known == window) {
            line.run_options.window = true;
        } else if (known == square_pixels) {
            line.run_options.square_pixels = line.record_options.square_pixels = true;
        } else if (known == quiet) {
            line.run_options.quiet = true;
        } else if (known == verbose) {
            line.record_options.verbose = true;
            if (!capture_option) capture_option = argv[i];
        } else if (capture && !features.record) {
            return joined({option, " is not available in this build"});
        } else if (capture) {
            if (i + 1 >= argc) return joined({option, " needs a value"});
            std::string error = features.record(argv[i], argv[i + 1], line.record_options);
            ++i;
            if (!error.empty()) return error;
            if (known == record) line.action = CommandLine::record;
            else if (!capture_option) capture_option = argv[i - 1];
        } else if (option == "--frames") {
            return joined({"--frames comes first, before ", named(argv[1])});
        } else if (option == "--frame" || option == "--help" || option == "-h" || option == "--version") {
            return joined({option, " goes alone, not with ", named(argv[i == 1 ? 2 : 1])});
        } else if (!option.empty() && option[0] == '-') {
            return joined({"unknown option '", option, "'"});
        } else {
            return joined({"unexpected argument '", option, "'"});
        }
    }
    if (line.action != CommandLine::record)
        return capture_option ? joined({capture_option, " goes with --record"}) : "";
    if (!given[seconds]) return "--record needs --seconds";
    if (line.run_options.window) return "--window does not go with --record";
    RecordOptions& recording = line.record_options;
    const VideoFormat& format = *video_format_for(recording.file);
    if (format.most_fps && !given[fps]) recording.fps = format.most_fps;
    if (format.most_fps && recording.fps > format.most_fps)
        return bad_value("--fps", std::to_string(recording.fps),
                         joined({"1 to ", std::to_string(format.most_fps), " for a ", format.extension,
                                 " file (the most its players keep)"}));
    return "";
}

// The command line without --guides, which goes with --frame, --frames and
// --record wherever it stands.
std::string read_without_guides(int argc, char** argv, const CommandLineFeatures& features, CommandLine& line) {
    if (argc <= 1) return "";
    const std::string_view first = argv[1];
    if (first == "--help" || first == "-h" || first == "--version") {
        if (argc != 2) return joined({first, " goes alone, not with ", named(argv[2])});
        line.action = first == "--version" ? CommandLine::version : CommandLine::help;
        return "";
    }
    if (first == "--frame") return read_frame(argc, argv, features, line);
    if (first == "--frames") return read_frames(argc, argv, features, line);
    return read_run_or_record(argc, argv, features, line);
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
        if (i > 0 && std::string_view(argv[i]) == "--guides") ++guides;
        else rest.push_back(argv[i]);
    }
    rest.push_back(nullptr);  // as main's argv[argc]
    CommandLine line;
    std::string error;
    if (guides > 1) error = "--guides is given twice";
    else error = read_without_guides(static_cast<int>(rest.size()) - 1, rest.data(), features, line);
    if (error.empty() && guides) {
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
                error = joined({rest[1], " goes alone, not with --guides"});
                break;
            default:
                error = "--guides goes with --frame, --frames or --record";
        }
    }
    if (!error.empty()) {
        line = CommandLine();
        line.action = CommandLine::bad;
        line.error = error;
    }
    return line;
}

std::string message_line(const char* name, const std::string& what) {
    return escape_controls(joined({name, ": ", what}));
}

std::string usage_line(const ProgramInfo& info, const std::string& what) {
    return message_line(info.name, joined({what, " (try '", info.name, " --help')"}));
}

std::string display_failure_line(const ProgramInfo& info, const std::string& why) {
    return message_line(info.name, joined({"cannot open a ", std::to_string(info.width), "x",
                                           std::to_string(info.height), " display: ", why}));
}

namespace {

// The lines of --help, part by part, added to `text`.
void add_usage(std::string& text, const ProgramInfo& info, const CommandLineFeatures& features,
               std::string_view extension) {
    const std::string name = info.name, indent(name.size(), ' ');
    text += joined({"Usage: ", name,
                    features.quiet ? " [--window] [--square-pixels] [--quiet]\n" : " [--window] [--square-pixels]\n",
                    "       ", name, " --frame MS FILE.", extension, " [--guides]\n",
                    "       ", name, " --frames FROM TO STEP PATTERN [--scale K] [--square-pixels]\n",
                    "       ", indent, "          [--guides]\n"});
    if (features.record)
        text += joined({"       ", name, " --record FILE --seconds S [--start MS] [--fps F] [--scale K]\n",
                        "       ", indent, "          [--square-pixels] [--guides] [--verbose]\n"});
    text += joined({info.summary, "\n\n"});
}

void add_still_options(std::string& text, const ProgramInfo& info, bool png, std::string_view extension,
                       bool record) {
    text += joined({"  --frame MS FILE.", extension,
                    "  render the frame at time MS without a display and\n"
                    "                       write it as a ",
                    std::to_string(info.width), "x", std::to_string(info.height), " ",
                    png ? "RGB PNG" : "24-bit BMP", "; ", clock_help(info), "\n",
                    "                       (an existing file is overwritten)\n"
                    "  --frames FROM TO STEP PATTERN\n"
                    "                       write the frames at FROM, FROM+STEP, ... up to TO\n"
                    "                       (ms) as --frame does, numbered from 0 into the one\n"
                    "                       %d or %0Nd field of PATTERN (N 1 to 9, no other\n"
                    "                       '%'), such as f%05d.",
                    extension,
                    "; with --scale K, scaled as\n"
                    "                       a recording is; a file is never overwritten: when a\n"
                    "                       name is taken, nothing is written (status 2)\n",
                    record ? "  --guides             with --frame, --frames or --record: draw the\n"
                             "                       frame's construction over it\n"
                           : "  --guides             with --frame or --frames: draw the frame's\n"
                             "                       construction over it\n"});
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

void add_screen_options(std::string& text, const CommandLineFeatures& features) {
    text += joined({"  --window             start in a window instead of fullscreen (a program\n"
                    "                       with a 320x240 frame always starts in one): the\n"
                    "                       largest whole multiple of the 4:3 picture (with\n"
                    "                       --square-pixels, of the frame) that fits the desktop\n"
                    "  --square-pixels      1:1 pixels instead of stretching a 320x200 frame to\n"
                    "                       the 4:3 picture of the time: on the screen, ",
                    features.record ? "in a\n                       recording " : "", "and with --frames --scale\n",
                    features.quiet ? "  --quiet              when fullscreen cannot be had, end with status 1\n"
                                     "                       instead of offering to play in a window\n"
                                   : "",
                    "  --help               show this help and exit\n"
                    "  --version            show the version and exit\n\n"});
}

}  // namespace

std::string help_text(const ProgramInfo& info, const CommandLineFeatures& features) {
    const std::string_view extension = frame_extension(features).substr(1);
    const bool png = extension == "png";
    std::string text;
    add_usage(text, info, features, extension);
    add_still_options(text, info, png, extension, features.record);
    if (features.record) text += record_options_text;
    add_screen_options(text, features);
    text += features.keys_help;
    // The step in seconds, as few digits as it takes: "8 s", "4.8 s".
    std::string step = std::to_string(info.step_ms / 1000);
    if (const std::uint32_t rest = info.step_ms % 1000) {
        std::string fraction = std::to_string(1000 + rest).substr(1);
        while (fraction.back() == '0') fraction.pop_back();
        step += joined({".", fraction});
    }
    text += joined({"On the screen the time is yours: Space pauses and resumes; ',' and '.'\n"
                    "step one 16 ms tick back or forward while paused; Left and Right move\n"
                    "1 s (with Shift, 10 s); '[' and ']' halve and double the speed (1/4x to\n"
                    "4x); Home restarts.\n",
                    info.step_ms ? "PageUp and PageDown go to the previous or next step (of "
                                 : "PageUp and PageDown move 10 s back or forward.\n",
                    info.step_ms ? step : "", info.step_ms ? " s).\n" : "",
                    "A marks the start of a stretch and B its end, which then repeats; A\n"
                    "again clears both. I shows a line with the time, speed, marks and\n"
                    "frame rate. G draws the guides, the picture's construction, over it.\n"
                    "S saves the frame shown as ",
                    info.name, "-MS.", extension,
                    " in the current folder (-2, -3, ...\nwhen taken) and prints its name and its page link.\n\n"
                    "Exit status: 0 on a normal end, 1 when no display can be opened,\n"
                    "2 for a bad command line",
                    features.record ? ", an unwritable file or a failed capture;\n"
                                      "128 + the signal's number when SIGINT, SIGTERM or SIGHUP ends a capture\n"
                                      "or a run of frames.\n"
                                    : " or an unwritable file.\n"});
    return text;
}
