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
#include <string_view>

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

// Reads the value of one capture option (--record, --seconds, --start, --fps or
// --scale) into `record`; returns what is wrong with it, "" when it is fine
// (record_options.cpp, so that a build without capture links none of it).
std::string read_record_option(const std::string& option, const char* value, RecordOptions& record);
using RecordOptionReader = std::string (*)(const std::string& option, const char* value, RecordOptions& record);

// What a build offers beyond running and --frame.
struct CommandLineFeatures {
    const char* frame_format;  // "PNG" or "BMP"
    // --record and its options: read_record_option, or null in a build
    // without capture (whose programs then carry none of its reading)
    RecordOptionReader record;
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

// The readers that the main options and the capture options share:
// Every option of this command line, on any build: a file name that is one
// of them is a mistake far more often than a file of that name.
bool is_option(std::string_view text);
// The one line for a value of the wrong form or out of range, whatever the
// option: "bad --fps value '+5': expected 1 to 240 (frames per second, ...)".
std::string bad_value(std::string_view option, std::string_view value, std::string_view expected);
// Plain decimal digits only (no sign, space or other base), at least one;
// their value, or some value above `high` when it is larger.
bool read_digits(const char*& p, std::uint64_t high, std::uint64_t& value);
// A whole number in [low, high] written as decimal digits; false for anything else.
bool parse_whole(const char* text, std::uint64_t low, std::uint64_t high, std::uint64_t& value);
// What a time in milliseconds may be, for bad_value.
extern const char* const milliseconds_expected;
// --scale K, of a capture or a run of frames; "" when it is fine, else the line.
std::string parse_scale(const char* value, int& scale);

// Handles the command line on this build: help, version, --frame, --frames
// and (natively) --record, with one line on stderr for a bad one. Returns -1 when
// the program should run on the screen, with the display options in `run`;
// otherwise the exit status to end with: 0 when done, 2 for a bad command
// line, an unwritable file or a failed capture.
int handle_command_line(int argc, char** argv, const ProgramInfo& info, RunOptions& run);

// The same for programs without display options: --window and
// --square-pixels are refused.
int handle_frame_options(int argc, char** argv, const ProgramInfo& info);
