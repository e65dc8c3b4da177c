#pragma once
// Capture to video: frames rendered headless and deterministically (frame i
// at i*1000/fps ms on the program's timeline), scaled, and piped into ffmpeg.
#include <string>

#include "command_line.h"

// Number of frames a recording holds: seconds * fps, rounded to nearest.
long record_frame_count(const RecordOptions& options);

// The encoder arguments for the file's extension: lossless FFV1 for .mkv,
// H.264 in yuv420p (what every player opens) for .mp4/.mov/.m4v, ffmpeg's
// own choice otherwise.
std::string codec_arguments(const std::string& file);

// Records; returns the exit status (0 done; 2 with one line on stderr for a
// missing ffmpeg or an ffmpeg failure). The video is written under a
// temporary name beside FILE and renamed when complete, so a failed capture
// leaves nothing under FILE's name.
int record_video(const ProgramInfo& info, const RecordOptions& options);
