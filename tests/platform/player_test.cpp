// The player over clock readings given by hand: each key moves the shown
// time its own way, and the overlay's line tells the state and the rate of
// the last whole second of presents.
#include "player.h"

#include <gtest/gtest.h>

#include <vector>

#include "text_overlay.h"

namespace {

const ProgramInfo scene{"p", "", 320, 200, 4, 3, ProgramClock::scene_start, 288000, nullptr};

// Whether the overlay of `player` is `line` drawn as the overlay is: white, opaque, from (2, 2).
::testing::AssertionResult overlay_reads(const Player& player, std::uint32_t shown, const char* line) {
    std::vector<std::uint32_t> drawn(320 * 20), expected(320 * 20);
    player.draw_overlay(packed_canvas(drawn.data(), 320, 20), shown);
    draw_text(packed_canvas(expected.data(), 320, 20), TextStyle{1.0f, 255, 255, 255}, 2, 2, "%s", line);
    if (drawn == expected) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the overlay does not read \"" << line << "\"";
}

TEST(Player, EachKeyMovesTheShownTimeItsOwnWay) {
    Player player(scene, 5000);
    EXPECT_EQ(player.shown(25000), 20000u);  // untouched: ms since the start
    const struct {
        PlayerKey key;
        std::uint32_t shown;
    } presses[] = {
        {PlayerKey::toggle_pause, 20000},        {PlayerKey::step_back, 19984},
        {PlayerKey::step_forward, 20000},        {PlayerKey::step_forward, 20016},
        {PlayerKey::back_second, 19016},         {PlayerKey::forward_ten_seconds, 29016},
        {PlayerKey::back_ten_seconds, 19016},    {PlayerKey::forward_second, 20016},
        {PlayerKey::restart, 0},
    };
    for (const auto& press : presses) {
        player.press(press.key, 25000);
        EXPECT_EQ(player.shown(90000), press.shown) << "paused, after key " << static_cast<int>(press.key);
    }
    player.press(PlayerKey::toggle_pause, 30000);
    player.press(PlayerKey::faster, 30000);
    EXPECT_EQ(player.shown(30100), 200u);
    player.press(PlayerKey::slower, 30100);
    player.press(PlayerKey::slower, 30100);
    EXPECT_EQ(player.shown(30300), 300u);  // at half speed
}

TEST(Player, TheOverlayTellsTheStateAndTheRateOfTheLastWholeSecond) {
    Player player(scene, 0);
    player.press(PlayerKey::toggle_overlay, 0);
    ASSERT_TRUE(player.overlay_on());
    player.presented(1000);
    EXPECT_TRUE(overlay_reads(player, 1000, "p 1000 t62 1x 0fps 0.0ms"));  // no whole second yet
    player.presented(2000);
    for (std::uint32_t now = 2020; now <= 3000; now += 20) player.presented(now);  // 50, the last at +1000 ms
    player.press(PlayerKey::toggle_pause, 3000);
    player.press(PlayerKey::faster, 3000);
    EXPECT_TRUE(overlay_reads(player, player.shown(3000), "p 3000 t187 ||2x 50fps 20.0ms"));
    player.press(PlayerKey::toggle_overlay, 3000);
    EXPECT_FALSE(player.overlay_on());
}

}  // namespace
