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
    // Estimated bytes of one frame: frame_bytes * (source pixels) * scale^scale_power,
    // fitted to captures of the four programs (whole-factor blocks compress
    // well, more so for some encoders than for others).
    double frame_bytes;
    double scale_power;
    // Output pixels the encoder takes a second, roughly, on a 2-core x86-64
    // PC of the 2020s (for the time estimate only).
    double pixels_per_second;
};

// The format of `file`'s extension (any letter case); null for one the
// capture cannot write.
const VideoFormat* video_format_for(const std::string& file);

// ".mp4, .m4v, ... or .gif": the extensions a capture can write.
std::string video_extensions();
