#include "frame_export.h"

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
        "Usage: %s [--frame MS FILE.png]\n"
        "%s\n\n"
        "  --frame MS FILE.png  render the frame at time MS without a display and\n"
        "                       write it as a %dx%d RGB PNG; %s\n"
        "  --help               show this help and exit\n"
        "  --version            show the version and exit\n\n"
        "Without options the program runs on the screen; Escape ends it.\n"
        "Exit status: 0 on a normal end, 1 when no display can be opened,\n"
        "2 for a bad command line or an unwritable file.\n",
        info.name, info.summary, info.width, info.height, info.time_help);
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
    if (argc <= 1) return -1;
    const std::string option = argv[1];
    if (option == "--help" || option == "-h") {
        if (argc != 2) return usage_error(info, "--help takes no arguments");
        print_help(info);
        return 0;
    }
    if (option == "--version") {
        if (argc != 2) return usage_error(info, "--version takes no arguments");
        std::printf("%s %s\n", info.name, PACK_VERSION);
        return 0;
    }
    if (option != "--frame") return usage_error(info, "unknown option '" + option + "'");
    if (argc != 4) return usage_error(info, "--frame needs a time in milliseconds and a PNG file name");
    std::uint32_t ms = 0;
    if (!parse_milliseconds(argv[2], ms))
        return usage_error(info, std::string("bad time '") + argv[2] + "': expected 0 to 4294967295 milliseconds");
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(info.width) * info.height, 0u);
    info.render(ms, pixels.data());
    std::string error;
    if (!write_png_rgb(argv[3], pixels.data(), info.width, info.height, error)) {
        std::fprintf(stderr, "%s: %s\n", info.name, error.c_str());
        return 2;
    }
    return 0;
}
