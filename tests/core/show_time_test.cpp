// The shown time: the clock itself until touched; pause, step, move, restart
// and speed from any state; a scene's time never below 0; the system count
// wrapping at 2^32; the step keys; the A-B repeat.
#include <gtest/gtest.h>

#include "show_time.h"

namespace {

constexpr std::uint32_t near_wrap = 0xFFFFFFF0u;

TEST(ShowTime, UntouchedItIsTheClockItself) {
    const ShowTime fennick(ProgramClock::system, near_wrap);
    EXPECT_EQ(fennick.at(near_wrap), near_wrap);
    EXPECT_EQ(fennick.at(near_wrap + 0x30), 0x20u);  // past the wrap, as the count
    const ShowTime scene(ProgramClock::scene_start, near_wrap);
    EXPECT_EQ(scene.at(near_wrap), 0u);
    EXPECT_EQ(scene.at(near_wrap + 0x30), 0x30u);  // now - start, across the wrap
}

TEST(ShowTime, PauseFreezesAndResumingGoesOnFromThere) {
    ShowTime t(ProgramClock::scene_start, 1000);
    t.toggle_pause(1500);
    EXPECT_EQ(t.at(1500), 500u);
    EXPECT_EQ(t.at(90000), 500u);
    t.toggle_pause(90000);
    EXPECT_FALSE(t.paused());
    EXPECT_EQ(t.at(90100), 600u);
}

TEST(ShowTime, StepsOnlyWhilePausedAndNeverBelowZero) {
    ShowTime t(ProgramClock::scene_start, 0);
    t.step(40, 1);
    EXPECT_EQ(t.at(40), 40u);  // running: no step
    t.toggle_pause(40);
    t.step(50, 1);
    t.step(60, 1);
    t.step(70, -1);
    EXPECT_EQ(t.at(1000), 56u);
    t.move(1000, -1000);
    EXPECT_EQ(t.at(1000), 0u);
    t.step(1000, -1);
    EXPECT_EQ(t.at(1000), 0u);
    t.move(1000, 10000);
    EXPECT_EQ(t.at(5000), 10000u);
}

TEST(ShowTime, SpeedChangesWhileRunningKeepTheShownTimeContinuous) {
    ShowTime t(ProgramClock::scene_start, 0);
    t.faster(1000);                  // 2x from 1000
    EXPECT_EQ(t.at(1100), 1200u);
    t.slower(1100);
    t.slower(1100);                  // 1/2x from 1100
    EXPECT_EQ(t.at(1103), 1201u);    // 3 ms at half speed: 1.5, rounded down
    t.slower(1103);
    t.slower(1103);                  // below 1/4: stays 1/4
    EXPECT_EQ(t.speed_quarters(), ShowTime::slowest_quarters);
    for (int i = 0; i < 6; ++i) t.faster(2000);
    EXPECT_EQ(t.speed_quarters(), ShowTime::fastest_quarters);
}

TEST(ShowTime, TheSystemCountWrapsWhenMovedAndRestartsAtItsFirstReading) {
    ShowTime t(ProgramClock::system, near_wrap);
    t.move(near_wrap, 1000);
    EXPECT_EQ(t.at(near_wrap), near_wrap + 1000u);  // 984 after the wrap
    t.move(near_wrap, -2000);
    EXPECT_EQ(t.at(near_wrap), near_wrap - 1000u);
    t.restart(near_wrap + 5);
    EXPECT_EQ(t.at(near_wrap + 5), near_wrap);
    ShowTime scene(ProgramClock::scene_start, 7);
    scene.restart(50007);
    EXPECT_EQ(scene.at(50010), 3u);
}

TEST(ShowTime, TheStepKeysGoToAStepsStartOrMoveTenSecondsWithoutSteps) {
    ShowTime t(ProgramClock::scene_start, 0, 8000);
    t.toggle_pause(3000);
    t.to_step(3000, 1);
    EXPECT_EQ(t.at(3000), 8000u);
    t.to_step(3000, -1);  // on a step's start: the one before
    EXPECT_EQ(t.at(3000), 0u);
    t.to_step(3000, -1);
    EXPECT_EQ(t.at(3000), 0u);
    t.move(3000, 9500);
    t.to_step(3000, -1);  // within a step: its start
    EXPECT_EQ(t.at(3000), 8000u);
    ShowTime fennick(ProgramClock::system, near_wrap);
    fennick.to_step(near_wrap, 1);
    EXPECT_EQ(fennick.at(near_wrap), near_wrap + 10000u);
}

TEST(ShowTime, ABRepeatsTheStretchAtTheSpeedPausedOrNotAndAThirdAClearsIt) {
    ShowTime t(ProgramClock::scene_start, 0);
    t.mark_b(500);  // no A yet: nothing
    EXPECT_FALSE(t.marks().b);
    t.mark_a(1000);
    t.faster(2000);
    t.mark_b(2500);  // at 3000 shown: the show goes on from A
    EXPECT_TRUE((t.marks() == ShowTime::Marks{true, true, 1000, 3000}));
    EXPECT_EQ(t.at(2500), 1000u);
    EXPECT_EQ(t.at(3600), 1200u);  // 2200 ms at 2x round a 2000 ms stretch
    t.toggle_pause(3600);
    t.move(3600, -1000);  // round the stretch backwards too
    EXPECT_EQ(t.at(99999), 2200u);
    t.mark_a(4000);
    EXPECT_FALSE(t.marks().a || t.marks().b);
    t.toggle_pause(4000);
    EXPECT_EQ(t.at(5000), 4200u);  // past B, at 2x
}

TEST(ShowTime, ABAcrossTheWrapOfTheSystemCountAndBBeforeA) {
    ShowTime fennick(ProgramClock::system, near_wrap);
    fennick.mark_a(near_wrap);
    fennick.mark_b(near_wrap + 0x30);  // B at 0x20, after the wrap
    EXPECT_EQ(fennick.at(near_wrap + 0x50), 0x10u);
    EXPECT_EQ(fennick.at(near_wrap + 0x70), near_wrap + 0x10u);
    ShowTime scene(ProgramClock::scene_start, 0);
    scene.toggle_pause(5000);
    scene.mark_a(5000);
    scene.mark_b(5000);  // at A: refused
    EXPECT_FALSE(scene.repeating());
    scene.move(5000, -2000);
    scene.mark_b(5000);  // before A: the stretch between them
    EXPECT_TRUE((scene.marks() == ShowTime::Marks{true, true, 3000, 5000}));
    EXPECT_EQ(scene.at(5000), 3000u);
    scene.seek(5000, 9000);  // outside the stretch: the repeat ends
    EXPECT_FALSE(scene.marks().a);
    EXPECT_EQ(scene.at(5000), 9000u);
}

}  // namespace
