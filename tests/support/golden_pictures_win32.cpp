// Win32 build: pictures are 24-bit BMP files; PNG pictures cannot be read.
#include <cstdio>
#include <vector>

#include "bmp_file.h"
#include "golden.h"

std::string save_picture(const std::string& path_without_extension, const std::uint32_t* pixels, int width,
                         int height, std::string& written_path) {
    written_path = path_without_extension + ".bmp";
    const std::vector<std::uint8_t> bytes = encode_bmp24(pixels, width, height);
    std::FILE* file = std::fopen(written_path.c_str(), "wb");
    if (!file) return "cannot create " + written_path;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written ? "" : "cannot write " + written_path;
}

bool read_picture(const std::string&, std::uint32_t*, int, int) { return false; }
