#pragma once
// Frames as pictures in files: one frame (--frame), a run of them under a
// numbered name (--frames), and the frame on the screen saved by a key. The
// drawing, the names and the order of things are here, the same on every
// build; each build gives its file format and its safe writing (StillFiles).
#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"
#include "program.h"

class Progress;

struct Still {
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, width x height
    int width = 0;
    int height = 0;
};

// The frame at `ms` as a picture: the frame itself when `scale` is 0,
// otherwise scaled as a capture at that scale is (picture_scale.h).
Still render_still(const ProgramInfo& info, std::uint32_t ms, bool guides, int scale = 0,
                   bool square_pixels = false);

// A name with one numbered field: "f%05d.png" is "f" and ".png" around the
// number, zero-padded to 5 digits.
struct FramePattern {
    std::string before, after;
    int width = 0;  // 0: as many digits as the number has
};

// Reads a name pattern with exactly one "%d" or "%0Nd" (N from 1 to 9) and
// no other '%' (a literal "%%" included). Returns "" when it is one, else
// what is wrong, for "bad --frames pattern 'P': WHAT".
std::string parse_frame_pattern(const std::string& text, FramePattern& pattern);

// The pattern's name for `number`.
std::string frame_file_name(const FramePattern& pattern, std::uint32_t number);

// The frames at from, from + step, ... up to and including `to` where it
// falls on a step, numbered from 0.
struct FramesOptions {
    std::uint32_t from = 0, to = 0, step = 1;
    FramePattern pattern;
    int scale = 0;  // 0: the frames themselves
    bool square_pixels = false;
    bool guides = false;
};
std::uint64_t frames_count(const FramesOptions& options);

// What a build gives the still frames.
struct StillFiles {
    const char* extension;  // of its picture files, ".png"
    // Writes `still` to `path`, whole or not at all; with `keep_existing` never
    // over anything already under that name. On failure false, with the line
    // to show in `error` ("cannot write PATH: WHY").
    bool (*write)(const std::string& path, const Still& still, bool keep_existing, std::string& error);
    // Something (a file, a folder, a link) is under that name.
    bool (*taken)(const std::string& path);
};

// Writes a run of frames, each as --frame writes it. Nothing is written when
// a name of the run is already taken; a name taken while the run goes on
// stops it there. `progress` (may be null) counts the frames; `keep_going`
// (may be null) is asked before each frame, false stops the run. Returns ""
// when the run ended, else the line that says why not; `written` counts the
// files written.
std::string write_frame_run(const ProgramInfo& info, const FramesOptions& options, const StillFiles& files,
                            Progress* progress, bool (*keep_going)(), std::uint64_t& written);

// The frame shown on the screen, saved as a file of its own.
struct SavedFrame {
    bool saved;
    std::string line;  // for stdout when saved, else for stderr
};

// Writes the 1:1 frame at `ms` (with its guides when they are shown) to
// "NAME-MS.EXT" in the current folder, or the first of "NAME-MS-2.EXT",
// "NAME-MS-3.EXT", ... not taken; never over a file. The line gives the
// file's name and the page's address of that moment:
// "saved curves-16000.png  ?program=curves&t=16000&paused".
SavedFrame save_frame(const ProgramInfo& info, std::uint32_t ms, bool guides, const StillFiles& files);

// save_frame with this build's files (PNG natively, BMP on Windows), which
// then prints its line: on stdout when saved, else on stderr (on Windows
// where there is a console; without one a failure is shown in a box and a
// success only by the file). Each build's command line file has it.
SavedFrame save_shown_frame(const ProgramInfo& info, std::uint32_t ms, bool guides);
