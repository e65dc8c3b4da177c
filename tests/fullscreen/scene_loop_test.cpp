// The scene-loop skeleton and the entry, driven by the fake display and
// clock of fake_display.h.
#include <gtest/gtest.h>

#include <vector>

#include "fake_display.h"
#include "framework.h"
#include "fullscreen_entry.h"

namespace {

std::uint32_t frame[320 * 200];
std::vector<std::uint32_t> ticks_drawn;

// A frame that is all background: records the tick and marks the frame
// the next present must see.
bool record_background(const Canvas& canvas, std::uint32_t tick) {
    EXPECT_EQ(canvas.pixels, frame);
    ticks_drawn.push_back(tick);
    canvas.pixels[0] = tick;
    return false;
}
const SceneFrame record_frame{record_background, nullptr};

struct SceneLoop : ::testing::Test {
    void SetUp() override {
        fake_display::reset();
        ticks_drawn.clear();
    }
    int presents() const {
        int n = 0;
        for (const auto& c : fake_display::calls()) n += c == "present_frame";
        return n;
    }
};

TEST_F(SceneLoop, LimitZeroReturnsWithoutDrawingOrPresenting) {
    fake_display::clock_steps(5000, 16);
    run_scene_skeleton(0, frame, record_frame);
    EXPECT_TRUE(ticks_drawn.empty());
    EXPECT_EQ(presents(), 0);
    EXPECT_EQ(fake_display::clock_reads(), 1) << "the start time is still read";
}

TEST_F(SceneLoop, LastPassIsTheFirstAtOrPastTheLimit) {
    fake_display::clock_steps(1000, 16);  // one tick per reading
    run_scene_skeleton(5, frame, record_frame);
    EXPECT_EQ(ticks_drawn, (std::vector<std::uint32_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(presents(), 5);
}

TEST_F(SceneLoop, AJumpPastTheLimitIsStillDrawnAndPresented) {
    fake_display::clock_readings({100, 100, 150, 400, 9999});
    std::vector<std::uint32_t> presented;
    fake_display::on_present = [&](const std::uint32_t* f) { presented.push_back(f[0]); };
    run_scene_skeleton(10, frame, record_frame);
    EXPECT_EQ(ticks_drawn, (std::vector<std::uint32_t>{0, 3, 18}));
    EXPECT_EQ(presented, ticks_drawn) << "each drawn frame is presented once, after drawing";
}

TEST_F(SceneLoop, TicksAreSixteenMillisecondsRoundedDown) {
    fake_display::clock_readings({0, 15, 16, 31, 32, 47, 48});
    run_scene_skeleton(3, frame, record_frame);
    EXPECT_EQ(ticks_drawn, (std::vector<std::uint32_t>{0, 1, 1, 2, 2, 3}));
}

TEST_F(SceneLoop, AClockThatWrapsKeepsCountingTicks) {
    // Start 0x100 ms before the 32-bit counter wraps.
    fake_display::clock_readings({0xFFFFFF00u, 0xFFFFFF80u, 0xFFFFFFF0u, 0x00000000u, 0x00000010u, 0x000000F0u,
                                  0x00000100u});
    run_scene_skeleton(0x20, frame, record_frame);
    EXPECT_EQ(ticks_drawn, (std::vector<std::uint32_t>{0x08, 0x0F, 0x10, 0x11, 0x1F, 0x20}));
}

TEST_F(SceneLoop, AWrappedClockRunsTheFullLimit) {
    fake_display::clock_steps(0xFFFFFF00u, 160);  // ten ticks per reading
    run_scene_skeleton(18000, frame, record_frame);
    ASSERT_EQ(ticks_drawn.size(), 1800u);
    EXPECT_EQ(ticks_drawn.back(), 18000u);
}

// The entry, with this test's own scene loop.
std::vector<std::uint32_t> limits_given;
}  // namespace

void run_scene_loop(std::uint32_t limit) {
    limits_given.push_back(limit);
    run_scene_skeleton(limit, frame, record_frame);
}
const ProgramInfo loop_test_program{"loop_test", "The entry's own test program.", 320, 200, 4, 3,
                                    ProgramClock::scene_start, 288000, nullptr};
const ProgramInfo& fullscreen_program = loop_test_program;

namespace {

int failures_reported = 0;
bool count_failure() {
    ++failures_reported;
    return false;
}

struct Entry : SceneLoop {
    void SetUp() override {
        SceneLoop::SetUp();
        limits_given.clear();
        failures_reported = 0;
    }
};

TEST_F(Entry, RunsToTheLimitAndClosesWithStatusZero) {
    fake_display::clock_steps(0xFFFFF000u, 1000);
    EXPECT_EQ(run_fullscreen(count_failure), 0);
    EXPECT_EQ(limits_given, (std::vector<std::uint32_t>{18000}));
    const auto& calls = fake_display::calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front(), "open_display Velkrant 320x200");
    EXPECT_EQ(calls.back(), "close_display");
    EXPECT_EQ(presents(), static_cast<int>(calls.size()) - 2);
    EXPECT_EQ(ticks_drawn.size(), 288u) << "288 s at 1000 ms per reading";
    EXPECT_EQ(ticks_drawn.back(), 18000u);
    EXPECT_EQ(failures_reported, 0);
}

TEST_F(Entry, AFailedOpenEndsWithStatusOneAndRunsNothing) {
    fake_display::open_result = 0;
    EXPECT_EQ(run_fullscreen(count_failure), 1);
    EXPECT_EQ(fake_display::calls(), (std::vector<std::string>{"open_display Velkrant 320x200"}));
    EXPECT_TRUE(limits_given.empty());
    EXPECT_EQ(failures_reported, 1);
    EXPECT_EQ(run_fullscreen(nullptr), 1) << "silent failure";
}

TEST_F(Entry, AFailureHandlerThatSetsUpAnotherDisplayGetsTheRunOnIt) {
    fake_display::open_result = 0;
    fake_display::clock_steps(0, 100000);
    const OpenFailure offer_another = [] {
        ++failures_reported;
        fake_display::open_result = 1;  // as the window display would
        return true;
    };
    EXPECT_EQ(run_fullscreen(offer_another), 0);
    EXPECT_EQ(failures_reported, 1);
    const auto& calls = fake_display::calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0], calls[1]) << "opened again after the handler";
    EXPECT_EQ(calls.back(), "close_display");
}

}  // namespace
