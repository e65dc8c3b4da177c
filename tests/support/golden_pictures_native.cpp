// Native build: pictures are PNG files through libpng.
#include <png.h>

#include <vector>

#include "golden.h"
#include "png_file.h"

std::string save_picture(const std::string& path_without_extension, const std::uint32_t* pixels, int width,
                         int height, std::string& written_path) {
    written_path = path_without_extension + ".png";
    std::string error;
    return write_png_rgb(written_path, pixels, width, height, error) ? "" : error;
}

bool read_picture(const std::string& path, std::uint32_t* pixels, int width, int height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    if (static_cast<int>(image.width) != width || static_cast<int>(image.height) != height) {
        png_image_free(&image);
        return false;
    }
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return false;
    for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i)
        pixels[i] = static_cast<std::uint32_t>(rgb[i * 3]) << 16 | rgb[i * 3 + 1] << 8 | rgb[i * 3 + 2];
    return true;
}
