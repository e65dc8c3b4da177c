#include "video_formats.h"

#include <cctype>

namespace {

// H.264 in yuv420p is what every player opens; FFV1 keeps every pixel.
const VideoFormat formats[] = {
    {".mp4", "-c:v libx264 -pix_fmt yuv420p -crf 18", "", 0.09, 1.4, 20e6},
    {".m4v", "-c:v libx264 -pix_fmt yuv420p -crf 18", "", 0.09, 1.4, 20e6},
    {".mov", "-c:v libx264 -pix_fmt yuv420p -crf 18", "", 0.09, 1.4, 20e6},
    {".mkv", "-c:v ffv1 -pix_fmt bgr0", "matroska", 0.77, 0.45, 45e6},
    {".webm", "", "webm", 0.1, 1.4, 4e6},
    {".nut", "", "nut", 0.1, 1.4, 60e6},
    {".avi", "", "", 0.1, 1.4, 60e6},
    {".gif", "", "", 1, 1, 20e6},
};

std::string lower_extension(const std::string& file) {
    // A name's extension follows at least one character of the name (".mp4" has none).
    const std::size_t slash = file.rfind('/'), dot = file.rfind('.');
    const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
    if (dot == std::string::npos || dot <= name) return "";
    std::string extension = file.substr(dot);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

}  // namespace

const VideoFormat* video_format_for(const std::string& file) {
    const std::string extension = lower_extension(file);
    for (const VideoFormat& format : formats)
        if (extension == format.extension) return &format;
    return nullptr;
}

std::string video_extensions() {
    std::string list;
    const std::size_t count = sizeof formats / sizeof formats[0];
    for (std::size_t i = 0; i < count; ++i)
        list += std::string(i == 0 ? "" : i + 1 == count ? " or " : ", ") + formats[i].extension;
    return list;
}
