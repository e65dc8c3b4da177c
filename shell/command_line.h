#pragma once
// The command line of the graphics programs, read the same way on every
// build; each build's entry (command_line_native.cpp, command_line_win32.cpp)
// carries out what it asks for:
//   PROGRAM [--window] [--square-pixels]   run on the screen
//   PROGRAM --frame MS FILE [--guides]      render the frame at time MS headless
//   PROGRAM --frames FROM TO STEP PATTERN [--scale K] [--square-pixels] [--guides]
//                                           render a run of frames into numbered files
//   PROGRAM --record FILE --seconds S [--start MS] [--fps F] [--scale K] [--square-pixels]
//           [--guides] [--verbose]          render S seconds into a video (native)
//   PROGRAM --help | --version
#include <cstdint>
#include <string>

#include "program.h"
#include "still_frames.h"

// How to show the program when it runs on the screen.
struct RunOptions {
    bool window = false;         // start in a window instead of fullscreen
    bool square_pixels = false;  // 1:1 pixels instead of the 4:3 picture
    bool quiet = false;          // no message box when fullscreen fails (Win32)
};

struct RecordOptions {
    std::string file;
    double seconds = 0;
    std::uint32_t start = 0;  // ms of the first frame; frame i is at start + i*1000/fps
    int fps = 60;
    int scale = 3;
    bool square_pixels = false;
    bool verbose = false;  // pass ffmpeg's own messages on
    bool guides = false;   // the program's guides over every frame
};

// What a build offers beyond running and --frame.
struct CommandLineFeatures {
    const char* frame_format;  // "PNG" or "BMP"
    bool record;               // --record and its options
    bool quiet;                // --quiet
    const char* keys_help;     // what Escape and Alt+Enter do, for --help
    bool verbose;              // --verbose (with --record)
};

struct CommandLine {
    enum Action { run, help, version, frame, frames, record, bad } action = run;
    RunOptions run_options;
    RecordOptions record_options;
    FramesOptions frames_options;
    std::uint32_t ms = 0;  // --frame
    std::string file;      // --frame
    bool guides = false;   // --frame: the program's guides over the frame
    std::string error;     // bad: what is wrong, one line without the program name
};

CommandLine parse_command_line(int argc, char** argv, const CommandLineFeatures& features);

// The --help text, ending with a newline.
std::string help_text(const ProgramInfo& info, const CommandLineFeatures& features);

// "NAME: WHAT" with control characters shown escaped (terminal_text.h):
// every line for stderr is made by one of these three.
std::string message_line(const char* name, const std::string& what);
// "NAME: WHAT (try 'NAME --help')": the line for a bad command line.
std::string usage_line(const ProgramInfo& info, const std::string& what);
// "NAME: cannot open a WxH display: WHY", the same words in every program.
std::string display_failure_line(const ProgramInfo& info, const std::string& why);

// Parses milliseconds 0 ... 4294967295 written as decimal digits; false for
// anything else (a sign, a space, 0x10, 1e3).
bool parse_milliseconds(const char* text, std::uint32_t& ms);

// Handles the command line on this build: help, version, --frame, --frames
// and (natively) --record, with one line on stderr for a bad one. Returns -1 when
// the program should run on the screen, with the display options in `run`;
// otherwise the exit status to end with: 0 when done, 2 for a bad command
// line, an unwritable file or a failed capture.
int handle_command_line(int argc, char** argv, const ProgramInfo& info, RunOptions& run);

// The same for programs without display options: --window and
// --square-pixels are refused.
int handle_frame_options(int argc, char** argv, const ProgramInfo& info);
