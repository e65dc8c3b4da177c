#include "frame_export.h"

#include "video_record.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#ifndef PACK_VERSION
#define PACK_VERSION "0"
#endif

namespace {

int usage_error(const ProgramInfo& info, const std::string& what) {
    std::fprintf(stderr, "%s: %s (try '%s --help')\n", info.name, what.c_str(), info.name);
    return 2;
}

void print_help(const ProgramInfo& info) {
    std::printf(
        "Usage: %s [--window] [--square-pixels]\n"
        "       %s --frame MS FILE.png\n"
        "       %s --record FILE --seconds S [--fps F] [--scale K] [--square-pixels]\n"
        "%s\n\n"
        "  --frame MS FILE.png  render the frame at time MS without a display and\n"
        "                       write it as a %dx%d RGB PNG; %s\n"
        "  --record FILE        render S seconds without a display into a video\n"
        "                       through ffmpeg (.mp4: H.264; .mkv: lossless FFV1);\n"
        "                       frame i is the frame at i*1000/F ms\n"
        "  --seconds S          length of the recording (required with --record)\n"
        "  --fps F              frames per second of the recording, 1 to 240 (60)\n"
        "  --scale K            whole scaling factor of the recording, 1 to 16 (3)\n"
        "  --window             start in a window instead of fullscreen (a program\n"
        "                       with a 320x240 frame always starts in one)\n"
        "  --square-pixels      show (or record) 1:1 pixels instead of stretching\n"
        "                       a 320x200 frame to the 4:3 picture of the time\n"
        "  --help               show this help and exit\n"
        "  --version            show the version and exit\n\n"
        "Without options the program runs on the screen; Escape ends it and\n"
        "Alt+Enter switches between fullscreen and a window.\n"
        "Exit status: 0 on a normal end, 1 when no display can be opened,\n"
        "2 for a bad command line or an unwritable file.\n",
        info.name, info.name, info.name, info.summary, info.width, info.height, info.time_help);
}

struct PngWriteState {
    std::string message;
};

void on_png_error(png_structp png, png_const_charp message) {
    static_cast<PngWriteState*>(png_get_error_ptr(png))->message = message;
    png_longjmp(png, 1);
}

void on_png_warning(png_structp, png_const_charp) {}

// Everything libpng touches lives here, apart from C++ objects with
// destructors, because an error comes back through longjmp.
bool encode_png(std::FILE* file, const std::uint8_t* rgb, int width, int height, PngWriteState& state) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, on_png_error, on_png_warning);
    if (!png) {
        state.message = "out of memory";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        if (state.message.empty()) state.message = "out of memory";
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) png_write_row(png, rgb + static_cast<std::size_t>(y) * width * 3);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
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

bool write_png_rgb(const std::string& path, const std::uint32_t* pixels, int width, int height,
                   std::string& error) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i) {
        rgb[i * 3 + 0] = static_cast<std::uint8_t>(pixels[i] >> 16);
        rgb[i * 3 + 1] = static_cast<std::uint8_t>(pixels[i] >> 8);
        rgb[i * 3 + 2] = static_cast<std::uint8_t>(pixels[i]);
    }
    // Written under a temporary name beside the target, renamed when whole.
    const std::string temp = path + ".partial";
    std::FILE* file = std::fopen(temp.c_str(), "wb");
    if (!file) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    PngWriteState state;
    bool ok = encode_png(file, rgb.data(), width, height, state);
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        state.message = std::strerror(errno);
    }
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        state.message = std::strerror(errno);
    }
    if (!ok) {
        std::remove(temp.c_str());
        error = "cannot write " + path + ": " + state.message;
    }
    return ok;
}

int handle_frame_options(int argc, char** argv, const ProgramInfo& info) {
    RunOptions run;
    int status = handle_command_line(argc, argv, info, run);
    if (status < 0 && (run.window || run.square_pixels))
        return usage_error(info, "this program has no --window or --square-pixels");
    return status;
}

namespace {

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

int export_frame(const ProgramInfo& info, const char* time, const char* file) {
    std::uint32_t ms = 0;
    if (!parse_milliseconds(time, ms))
        return usage_error(info, std::string("bad time '") + time + "': expected 0 to 4294967295 milliseconds");
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(info.width) * info.height, 0u);
    info.render(ms, pixels.data());
    std::string error;
    if (!write_png_rgb(file, pixels.data(), info.width, info.height, error)) {
        std::fprintf(stderr, "%s: %s\n", info.name, error.c_str());
        return 2;
    }
    return 0;
}

}  // namespace

int handle_command_line(int argc, char** argv, const ProgramInfo& info, RunOptions& run) {
    run = RunOptions{};
    if (argc <= 1) return -1;
    const std::string first = argv[1];
    if (first == "--help" || first == "-h" || first == "--version") {
        if (argc != 2) return usage_error(info, first + " takes no arguments");
        if (first == "--version")
            std::printf("%s %s\n", info.name, PACK_VERSION);
        else
            print_help(info);
        return 0;
    }
    if (first == "--frame") {
        if (argc != 4) return usage_error(info, "--frame needs a time in milliseconds and a PNG file name");
        return export_frame(info, argv[2], argv[3]);
    }

    RecordOptions record;
    bool recording = false, seconds_given = false, capture_option = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool takes_value = option == "--record" || option == "--seconds" || option == "--fps" || option == "--scale";
        if (takes_value && i + 1 >= argc) return usage_error(info, option + " needs a value");
        const char* value = takes_value ? argv[++i] : nullptr;
        if (option == "--seconds" || option == "--fps" || option == "--scale") capture_option = true;
        if (option == "--window") {
            run.window = true;
        } else if (option == "--square-pixels") {
            run.square_pixels = record.square_pixels = true;
        } else if (option == "--record") {
            if (!*value) return usage_error(info, "--record needs a file name");
            record.file = value;
            recording = true;
        } else if (option == "--seconds") {
            if (!parse_seconds(value, record.seconds))
                return usage_error(info, std::string("bad --seconds '") + value + "': expected a number above 0 up to 86400");
            seconds_given = true;
        } else if (option == "--fps") {
            if (!parse_int_in(value, 1, 240, record.fps))
                return usage_error(info, std::string("bad --fps '") + value + "': expected a whole number from 1 to 240");
        } else if (option == "--scale") {
            if (!parse_int_in(value, 1, 16, record.scale))
                return usage_error(info, std::string("bad --scale '") + value + "': expected a whole number from 1 to 16");
        } else if (option == "--frame" || option == "--help" || option == "--version") {
            return usage_error(info, option + " goes alone");
        } else {
            return usage_error(info, "unknown option '" + option + "'");
        }
    }
    if (recording) {
        if (!seconds_given) return usage_error(info, "--record needs --seconds");
        if (run.window) return usage_error(info, "--window does not go with --record");
        return record_video(info, record);
    }
    if (capture_option) return usage_error(info, "--seconds, --fps and --scale go with --record");
    return -1;
}
