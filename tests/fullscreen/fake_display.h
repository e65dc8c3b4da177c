#pragma once
// Test doubles of the framework's platform edge: clock_ms, present_frame,
// open_display and close_display. They replace the display at link time.
//
// How to use the seam: link a test with fullscreen_core and
// fullscreen_fakes (not fullscreen_display) and with the code under test,
// e.g. a program's scene sources, which define run_scene_loop. Then:
//
//   fake_display::reset();
//   fake_display::clock_steps(0xFFFFFF00u, 1000);  // each reading +1000 ms
//   int status = run_fullscreen(nullptr);           // fullscreen_entry.h
//   EXPECT_EQ(status, 0);
//   EXPECT_EQ(fake_display::calls().back(), "close_display");
//
// run_fullscreen opens the display (the fake succeeds unless open_result is
// set to 0), runs the scene loop with the real limit of 18000 ticks on the
// fake clock, and closes: a whole run takes as long as the drawing of its
// passes. on_present sees every presented frame.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fake_display {

// Back to the start: clock at 0 with step 0, open succeeds, no calls.
void reset();
// clock_ms returns first, then first + step, first + 2 step, ... (mod 2^32).
void clock_steps(std::uint32_t first, std::uint32_t step);
// clock_ms returns these readings in order, then repeats the last one.
void clock_readings(std::vector<std::uint32_t> readings);

// What open_display returns (1 by default).
extern int open_result;
// Called by present_frame with the frame buffer; present_frame returns 1.
extern std::function<void(const std::uint32_t*)> on_present;

// Every call in order: "open_display Velkrant 320x200", "present_frame",
// "close_display" (clock readings are not listed).
const std::vector<std::string>& calls();
int clock_reads();

}  // namespace fake_display
