#pragma once
// The graphics programs as the page sees them: a name, a frame size, when
// the program ends by itself, and its frame as a pure function of time.
#include <cstdint>

struct WebProgram {
    const char* name;
    int width;
    int height;
    // Milliseconds after its start at which the program ends by itself
    // (the scenes' tick limit); 0 for a program that runs until Escape.
    std::uint32_t ends_after_ms;
    // The frame at `ms` as width x height 0x00RRGGBB pixels. fennick: `ms` is
    // the 32-bit clock count; the scenes: milliseconds since their start.
    void (*render)(std::uint32_t ms, std::uint32_t* pixels);
};

extern const WebProgram fennick_program;
// The scenes, in the order of the pack's list of fullscreen programs.
extern const WebProgram scene_programs[];
extern const int scene_program_count;
