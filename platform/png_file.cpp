#include "png_file.h"

#include <png.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "rgb.h"
#include "safe_file.h"

namespace {

struct PngWriteState {
    int fd;
    std::string message;
};

void on_png_error(png_structp png, png_const_charp message) {
    static_cast<PngWriteState*>(png_get_error_ptr(png))->message = message;
    png_longjmp(png, 1);
}

void on_png_warning(png_structp, png_const_charp) {}

void write_png_bytes(png_structp png, png_bytep data, png_size_t size) {
    auto* state = static_cast<PngWriteState*>(png_get_io_ptr(png));
    if (!write_all(state->fd, data, size)) png_error(png, std::strerror(errno));
}

void flush_png_bytes(png_structp) {}  // every write goes straight to the file

// Everything libpng touches lives here, apart from C++ objects with
// destructors, because an error comes back through longjmp.
bool encode_png(const std::uint8_t* rgb, int width, int height, PngWriteState& state) {
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
    png_set_write_fn(png, &state, write_png_bytes, flush_png_bytes);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) png_write_row(png, rgb + static_cast<std::size_t>(y) * width * 3);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool write_png_rgb(const std::string& path, const std::uint32_t* pixels, int width, int height,
                   std::string& error, Existing existing) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i) {
        rgb[i * 3 + 0] = static_cast<std::uint8_t>(red(pixels[i]));
        rgb[i * 3 + 1] = static_cast<std::uint8_t>(green(pixels[i]));
        rgb[i * 3 + 2] = static_cast<std::uint8_t>(blue(pixels[i]));
    }
    SafeOutput file;
    if (!file.open(path, "", error, existing)) return false;
    PngWriteState state{file.fd(), ""};
    if (!encode_png(rgb.data(), width, height, state)) {
        error = "cannot write " + path + ": " + state.message;
        return false;  // the temporary file goes with `file`
    }
    return file.commit(error);
}
