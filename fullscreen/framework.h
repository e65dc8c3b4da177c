#pragma once
// The fullscreen framework as the programs see it: open and close the
// 320x200 display, present a finished frame, read the clock, and run the
// shared scene-loop skeleton. The display code behind it is one file per
// platform; everything a scene draws is portable.
#include <cstdint>

#include "clock.h"  // clock_ms
#include "program.h"
#include "scene_frames.h"
#include "scene_player.h"

// Opens the fullscreen display; 1 on success, 0 on failure.
int open_display(const char* title, int width, int height);
// Releases whatever open_display acquired; safe after a partial set-up.
void close_display();
// Pumps the window's messages, then (when active) converts the frame buffer
// into the back buffer and flips. 1 when shown or skipped while inactive,
// 0 when the back buffer could not be locked.
int present_frame(const std::uint32_t* frame_buffer);
// For a loop with nothing new to show (paused): waits up to `ms` for the
// window's messages and answers them as present_frame does, without a new
// frame; where the window must be painted again (shown, exposed, resized)
// it shows `frame_buffer`, the frame last presented, again. A display that
// cannot wait for its messages presents the frame as present_frame does.
void rest_display(const std::uint32_t* frame_buffer, std::uint32_t ms);

// The scene loop shared by the programs: each pass draws `frame` for the
// shown time of the player (shell/player.h; untouched, now - start) into
// `frame_buffer`: its background at tick = shown >> 4, then, unless that was
// a flash, its scene at tau = the shown time read again after the
// background, as the programs of the time read the clock twice a pass.
// start = clock_ms(); a limit of 0 returns at once; each pass draws, adds the
// player's overlay when it is on, presents, and the loop goes on while the
// pass's tick < limit (unsigned), so the first pass at or past the limit is
// still shown. A paused show never reaches its limit; while it shows what it
// showed, the display rests instead of a pass.
void run_scene_skeleton(std::uint32_t limit, std::uint32_t* frame_buffer, const SceneFrame& frame);

// Each fullscreen program's entry file defines these three. CMake writes it,
// BUILD/fullscreen/NAME_entry.cpp, from fullscreen/scene_entry.cpp.in for each
// program of the program list (cmake/PackPrograms.cmake):
//   the scene loop, run_scene_skeleton over the program's frame, called by
//   the entry with the limit of its show (18000 ticks);
void run_scene_loop(std::uint32_t limit);
//   the program's frame (NAME_frame, effects/NAME_scene.h);
extern const SceneFrame& fullscreen_frame;
//   the program's description (NAME_program, effects/NAME_scene.h).
extern const ProgramInfo& fullscreen_program;
