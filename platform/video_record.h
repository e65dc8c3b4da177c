#pragma once
// Capture to video: frames rendered headless and deterministically (frame i
// at start + i*1000/fps ms on the program's timeline), scaled, and piped into
// ffmpeg.
#include <cstdint>
#include <string>

#include "command_line.h"

// Number of frames a recording holds: seconds * fps, rounded to nearest.
long record_frame_count(const RecordOptions& options);

// The time of frame i: start + i*1000/fps ms, wrapping as the 32-bit clock
// does. A capture may go on past a show's end, as the frames' clock does.
std::uint32_t record_frame_ms(const RecordOptions& options, long i);

// The encoder arguments for the file's extension: lossless FFV1 for .mkv,
// H.264 in yuv420p (what every player opens) for .mp4/.mov/.m4v, ffmpeg's
// own choice otherwise.
std::string codec_arguments(const std::string& file);

// Records; returns the exit status: 0 done; 2 with one line on stderr for a
// missing ffmpeg, a file that cannot be written or an ffmpeg failure (an
// error it logged counts, whatever its exit status); 128 + the signal number
// after SIGINT, SIGTERM or SIGHUP, which stop ffmpeg at once. The video is
// written safely (safe_file.h): a failed or interrupted capture leaves
// nothing under FILE's name, and never harms what was there.
int record_video(const ProgramInfo& info, const RecordOptions& options);
