#pragma once
// What each graphics program of the pack is, said once: its name, its frame,
// the clock its frames are a function of, how long its show lasts, and the
// frame itself. The command line, still frames, capture, the page and the
// shells all read a program through this.
#include <cstdint>

#include "canvas.h"

// The clock a program's frames are a function of.
enum class ProgramClock {
    system,      // the system's 32-bit millisecond count itself, wrapping after 2^32 - 1
    scene_start  // milliseconds since the program's scene loop started
};

struct ProgramInfo {
    const char* name;     // "fennick"
    const char* summary;  // one line for --help
    int width;            // the frame, in pixels
    int height;
    // The picture's shape on the screens of its time: every frame fills a
    // 4:3 picture (a 320x200 frame with pixels 1.2 times taller than wide).
    int aspect_x;
    int aspect_y;
    ProgramClock clock;
    // Milliseconds of the clock after which the program ends by itself; 0
    // for a program that runs until Escape.
    std::uint32_t show_ms;
    // Draws the whole frame at `ms` of the program's clock onto a width x
    // height canvas; every pixel is written.
    void (*draw)(const Canvas& canvas, std::uint32_t ms);
    // Draws the frame's construction (the guides) over what draw made at the
    // same `ms`, in colours the frame itself never uses; null for a program
    // without guides.
    void (*draw_guides)(const Canvas& canvas, std::uint32_t ms) = nullptr;
    // Milliseconds of the clock from one step of the show to the next (a
    // scene whose picture changes at every multiple of it); 0 for a program
    // without steps.
    std::uint32_t step_ms = 0;
};

// The frame of `program` at `ms` on its width x height `canvas`, then, when
// `guides` is asked and the program has them, the guides over it. Every
// picture of a frame written to a file, a capture or the page is drawn by
// this.
inline void draw_frame(const ProgramInfo& program, const Canvas& canvas, std::uint32_t ms, bool guides) {
    program.draw(canvas, ms);
    if (guides && program.draw_guides) program.draw_guides(canvas, ms);
}

// What the time of a frame counts, for --help.
inline const char* clock_help(const ProgramInfo& program) {
    return program.clock == ProgramClock::system ? "MS is the clock count" : "MS counts from the loop's start";
}
