#include "video_formats.h"

#include <cctype>

namespace {

// H.264 in yuv420p is what every player opens; FFV1 keeps every pixel. The
// sizes and speeds were seen capturing fennick, whose lines fill and change
// the whole frame (the fullscreen programs' videos came out 2 to 8 times
// smaller), on a 2-core x86-64 PC also busy building: the estimate errs
// on the large and slow side.
const VideoFormat formats[] = {
    {".mp4", "-c:v libx264 -pix_fmt yuv420p -crf 18", "", 0.086, 1.43, 14e6},
    {".m4v", "-c:v libx264 -pix_fmt yuv420p -crf 18", "", 0.086, 1.43, 14e6},
    {".mov", "-c:v libx264 -pix_fmt yuv420p -crf 18", "", 0.086, 1.43, 14e6},
    {".mkv", "-c:v ffv1 -pix_fmt bgr0", "matroska", 0.72, 0.47, 15e6},
    {".webm", "", "webm", 0.22, 1.4, 1.1e6},  // VP9, slow
    {".nut", "", "nut", 0.019, 1.66, 45e6},
    {".avi", "", "", 0.019, 1.66, 45e6},
    // Every frame pixel costs the same at any scale. A GIF's delays are whole
    // hundredths of a second, and players show one under 2 as 10: at most
    // 50 fps, where each frame's delay rounds to 2 or more and they add up.
    {".gif", "", "", 0.32, 2, 12e6, 50},
};

}  // namespace

std::string lower_case_extension(const std::string& file) {
    // A name's extension follows at least one character of the name (".mp4" has none).
    const std::size_t slash = file.rfind('/'), dot = file.rfind('.');
    const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
    if (dot == std::string::npos || dot <= name) return "";
    std::string extension = file.substr(dot);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

const VideoFormat* video_format_for(const std::string& file) {
    const std::string extension = lower_case_extension(file);
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
