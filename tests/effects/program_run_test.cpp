// A whole run of one program (whichever program's sources this test is
// linked with) on the fake display and clock: the entry opens the display,
// the scene loop draws and presents until its tick reaches 18000, the entry
// closes the display and ends with status 0. Every presented frame is the
// program's pure frame at the tick and tau the loop read from the clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fake_display.h"
#include "frame.h"
#include "framework.h"
#include "fullscreen_entry.h"
#include "scene_frames.h"

namespace {

constexpr int pixels = 320 * 200;

struct Pass {
    std::uint32_t tick;
    bool flash;
    std::int32_t tau;
};

// The passes a loop over these clock readings makes: the first reading is
// the start; each pass reads the tick, and after a background that is not a
// flash reads tau; the first pass at or past the limit is the last.
std::vector<Pass> expected_passes(const SceneFrame& frame, std::vector<std::uint32_t> readings,
                                  std::uint32_t limit) {
    std::size_t next = 0;
    auto read = [&] { return readings[std::min(next++, readings.size() - 1)]; };
    std::vector<std::uint32_t> scratch(pixels);
    const std::uint32_t start = read();
    std::vector<Pass> passes;
    for (;;) {
        Pass p{(read() - start) >> 4, false, 0};
        p.flash = !frame.background(frame_canvas(scratch.data()), p.tick);
        if (!p.flash) p.tau = static_cast<std::int32_t>(read() - start);
        passes.push_back(p);
        if (p.tick >= limit) return passes;
    }
}

std::vector<std::uint32_t> stepped(std::uint32_t first, std::uint32_t step, std::size_t count) {
    std::vector<std::uint32_t> r;
    for (std::size_t i = 0; i < count; ++i) r.push_back(first + static_cast<std::uint32_t>(i) * step);
    return r;
}

class ProgramRun : public ::testing::Test {
protected:
    void SetUp() override {
        fake_display::reset();
        presented_.clear();
        fake_display::on_present = [this](const std::uint32_t* frame) {
            presented_.emplace_back(frame, frame + pixels);
        };
    }
    void TearDown() override { fake_display::reset(); }

    // Runs the program to its end and checks every presented frame.
    void run_and_check(const std::vector<std::uint32_t>& readings) {
        fake_display::clock_readings(readings);
        const std::vector<Pass> passes = expected_passes(fullscreen_frame, readings, 18000);
        ASSERT_EQ(run_fullscreen(nullptr), 0);
        const auto& calls = fake_display::calls();
        ASSERT_GE(calls.size(), 2u);
        EXPECT_EQ(calls.front(), "open_display Velkrant 320x200");
        EXPECT_EQ(calls.back(), "close_display");
        ASSERT_EQ(presented_.size(), passes.size());
        EXPECT_GE(passes.back().tick, 18000u);
        std::vector<std::uint32_t> expected(pixels);
        for (std::size_t i = 0; i < passes.size(); ++i) {
            draw_scene_frame(fullscreen_frame, frame_canvas(expected.data()), passes[i].tick, passes[i].tau);
            ASSERT_EQ(presented_[i], expected) << fullscreen_program.name << " pass " << i << " at tick "
                                               << passes[i].tick << (passes[i].flash ? " (flash)" : "");
        }
    }

    std::vector<std::vector<std::uint32_t>> presented_;
};

TEST_F(ProgramRun, WholeRunOnAWrappingClockEndsWithStatusZeroAfterClose) {
    // Starts 256 ms before the 32-bit counter wraps; about 2 s per pass.
    run_and_check(stepped(0xFFFFFF00u, 997, 400));
}

TEST_F(ProgramRun, FlashTicksAndTheLastTickAreDrawnByTheRules) {
    // Passes at ticks 1, 300, 302, 500, 17999 and 18000: flashes of splines2
    // (300, 302), of curves (500, 18000); the tick-18000 pass is the last.
    const std::uint32_t s = 5000;
    run_and_check({s, s + 16, s + 20, s + 4800, s + 4810, s + 4832, s + 4840, s + 8000, s + 8008, s + 287984,
                   s + 287990, s + 288000, s + 288007});
}

TEST_F(ProgramRun, LimitZeroDrawsNothing) {
    fake_display::clock_steps(100, 16);
    run_scene_loop(0);
    EXPECT_TRUE(presented_.empty());
}

}  // namespace
