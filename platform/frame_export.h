#pragma once
// Command line shared by the graphics programs of the native build:
//   PROGRAM                       run as the program always does
//   PROGRAM --frame MS FILE.png   render the frame at time MS headless
//   PROGRAM --record FILE --seconds S [--fps F] [--scale K] [--square-pixels]
//                                 render S seconds headless into a video
//   PROGRAM --help | --version
#include <cstdint>
#include <string>

struct ProgramInfo {
    const char* name;     // "fennick"
    const char* summary;  // one line for --help
    const char* time_help;  // what MS means for this program, for --help
    int width;
    int height;
    // Draws the whole frame at time `ms` into width*height 0x00RRGGBB pixels.
    void (*render)(std::uint32_t ms, std::uint32_t* pixels);
};

// How to show the program when it runs on the screen.
struct RunOptions {
    bool window = false;         // start in a window instead of fullscreen
    bool square_pixels = false;  // 1:1 pixels instead of the 4:3 picture
};

// Handles the options above, and the display options --window and
// --square-pixels, which it stores in `run`. Returns -1 when the program
// should run on the screen; otherwise the exit status to end with: 0 when
// done, 2 for a bad command line, an unwritable file or a failed capture
// (one line on stderr).
int handle_command_line(int argc, char** argv, const ProgramInfo& info, RunOptions& run);

// The same for programs without display options: --window and
// --square-pixels are refused. Returns -1 when there are none (run the program
// normally); otherwise the exit status to end with: 0 when done, 2 for a bad
// command line or a file that cannot be written (one line on stderr).
int handle_frame_options(int argc, char** argv, const ProgramInfo& info);

// Parses a whole decimal count 0 ... 4294967295; false for anything else.
bool parse_milliseconds(const char* text, std::uint32_t& ms);

// Writes 0x00RRGGBB pixels as an 8-bit RGB PNG. On failure returns false
// and says why in `error`; no partial file is left under `path`.
bool write_png_rgb(const std::string& path, const std::uint32_t* pixels, int width, int height,
                   std::string& error);
