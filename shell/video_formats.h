#pragma once
// The video files a capture can write, chosen by the file's extension: the
// encoder for each, whether it can go into a stream (a device or FIFO), and
// how large its frames come out, for the estimate told before a long
// capture. Portable: the command line refuses other names before anything
// is rendered.
#include <string>

struct VideoFormat {
    const char* extension;  // ".mp4", lower case
    const char* codec;      // ffmpeg's encoder arguments; "" for ffmpeg's own choice
    const char* container;  // ffmpeg's name for it as a stream; "" when it must seek back
    // Estimated bytes of one frame of P pixels at scale K:
    // frame_bytes * P * K^(scale_power - 2), i.e. frame_bytes per pixel at
    // scale 1, and less per pixel as whole-factor blocks grow (they compress
    // well, with some encoders better than with others).
    double frame_bytes;
    double scale_power;
    // Pixels a second the encoder takes, roughly (for the time estimate).
    double pixels_per_second;
    // The highest frame rate its players keep, and the rate without --fps;
    // 0 for any rate (60 without --fps).
    int most_fps = 0;
};

// The format of `file`'s extension (any letter case); null for one the
// capture cannot write.
const VideoFormat* video_format_for(const std::string& file);

// The extension of `file`'s name with its dot, in lower case; "" when the
// name has none (".mp4" alone is a name without one).
std::string lower_case_extension(const std::string& file);

// ".mp4, .m4v, ... or .gif": the extensions a capture can write.
std::string video_extensions();
