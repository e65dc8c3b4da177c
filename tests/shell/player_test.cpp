// The player over clock readings given by hand: each key moves the shown
// time its own way, and the overlay's line tells the state, the A-B marks
// and the rate of the last whole second of presents.
#include "player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "overlay_line.h"
#include "player_loop.h"
#include "text_overlay.h"

// The clock of run_player_loop, set by hand.
namespace {
std::uint32_t fake_now = 0;
}
std::uint32_t clock_ms() { return fake_now; }

namespace {

const ProgramInfo scene{"p", "", 320, 200, 4, 3, ProgramClock::scene_start, 288000, nullptr};

// Whether the overlay of `player` on a cream frame is `line` drawn as the
// overlay is: white, opaque, from (2, 2), on a band reaching 2 pixels beyond
// the text's 7x14 cells through which an eighth of the cream shows.
::testing::AssertionResult overlay_reads(const Player& player, std::uint32_t shown, const char* line) {
    constexpr std::uint32_t cream = 0xF0E8D0, eighth_of_cream = 0x1E1D1A;
    std::vector<std::uint32_t> drawn(320 * 20, cream), expected(320 * 20, cream);
    player.draw_overlay(packed_canvas(drawn.data(), 320, 20), shown);
    const int band_width = 7 * static_cast<int>(std::strlen(line)) + 4;
    for (int y = 0; y < 18; ++y) std::fill_n(&expected[y * 320], band_width, eighth_of_cream);
    draw_text(packed_canvas(expected.data(), 320, 20), TextStyle{1.0f, 255, 255, 255}, 2, 2, "%s", line);
    if (drawn == expected) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the overlay does not read \"" << line << "\" on its band";
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

TEST(Player, ALineTooWideForTheFrameLosesWholeFieldsFromItsEnd) {
    const ProgramInfo fennick{"fennick", "", 320, 240, 4, 3, ProgramClock::system, 0, nullptr};
    Player player(fennick, 0);
    player.press(PlayerKey::toggle_overlay, 0);
    player.presented(0);
    player.presented(1000);
    for (std::uint32_t frame = 1; frame <= 60; ++frame) player.presented(1000 + frame * 1000 / 60);
    for (PlayerKey key : {PlayerKey::slower, PlayerKey::slower, PlayerKey::toggle_pause}) player.press(key, 2000);
    // "... 60fps 16.7ms" takes 49 cells; 45 fit in 320 pixels with the band.
    EXPECT_TRUE(overlay_reads(player, 4294966810u, "fennick 4294966810 t268435425 ||1/4x 60fps"));
}

TEST(Player, TheMarksJoinTheLineAndKeepTheirLettersWhereTheirTimesDoNotFit) {
    const ProgramInfo fennick{"fennick", "", 320, 240, 4, 3, ProgramClock::system, 0, nullptr};
    constexpr std::uint32_t at = 4294960000u;
    Player player(fennick, at);
    player.press(PlayerKey::toggle_overlay, at);
    player.press(PlayerKey::toggle_pause, at);
    player.presented(at);
    player.press(PlayerKey::mark_a, at);
    EXPECT_FALSE(player.unchanged(at)) << "a new mark is not on the screen yet";
    player.press(PlayerKey::forward_second, at);
    player.press(PlayerKey::mark_b, at);
    EXPECT_EQ(player.shown(at), at);  // back at A
    EXPECT_TRUE(overlay_reads(player, at, "fennick 4294960000 t268435000 ||1x A B"));
    // With room for the whole line, as on the page, the marks' times show.
    ShowTime time(ProgramClock::scene_start, 0);
    time.mark_a(8000);
    time.mark_b(16000);
    EXPECT_EQ(overlay_line("curves", time.at(17000), time, 60), "curves 9000 t562 1x A8000 B16000 60fps 16.7ms");
}

// A program whose guides mark the pixel (ms, 0) in magenta.
void mark_guides(const Canvas& canvas, std::uint32_t ms) { canvas.at(static_cast<int>(ms), 0) = 0xFF00FF; }
const ProgramInfo guided{"g", "", 320, 200, 4, 3, ProgramClock::scene_start, 288000, nullptr, mark_guides};

TEST(Player, GDrawsTheGuidesUnderTheOverlayAndAPausedShowRepaintsForIt) {
    Player player(guided, 0);
    player.press(PlayerKey::toggle_pause, 0);
    player.presented(10);
    ASSERT_TRUE(player.unchanged(20));
    std::vector<std::uint32_t> pixels(320 * 200, 0);
    const Canvas canvas = packed_canvas(pixels.data(), 320, 200);
    player.draw_over(canvas, 100);
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0u), 320 * 200) << "guides off: nothing over the frame";

    player.press(PlayerKey::toggle_guides, 20);
    EXPECT_FALSE(player.unchanged(30)) << "G must repaint a paused show";
    player.draw_over(canvas, 100);
    EXPECT_EQ(pixels[100], 0xFF00FFu);
    player.press(PlayerKey::toggle_overlay, 30);
    player.draw_over(canvas, 100);
    EXPECT_EQ(pixels[100], 0x1F001Fu) << "the overlay's band goes over the guides";
}

// A screen whose first present takes in Space and G, as a message pump
// does: the loop must show the guides once more before it rests.
class PumpingScreen final : public PlayerScreen {
public:
    explicit PumpingScreen(Player& player) : player_(player) {}
    bool show(const Player& player, std::uint32_t) override {
        shown_guides.push_back(player.guides_on());
        if (shown_guides.size() == 1)
            for (PlayerKey key : {PlayerKey::toggle_pause, PlayerKey::toggle_guides}) player_.press(key, fake_now);
        fake_now += 16;
        return true;
    }
    bool rest(std::uint32_t ms) override {
        ++rests;
        fake_now += ms;
        return true;
    }
    bool over(Player&, std::uint32_t) override { return rests > 0 || shown_guides.size() > 3; }

    std::vector<bool> shown_guides;
    int rests = 0;

private:
    Player& player_;
};

TEST(PlayerLoop, KeysTakenInDuringAPresentAreShownByTheNextFrame) {
    fake_now = 1000;
    Player player(guided, fake_now);
    PumpingScreen screen(player);
    run_player_loop(player, screen);
    EXPECT_EQ(screen.shown_guides, (std::vector<bool>{false, true}));
    EXPECT_EQ(screen.rests, 1);
}

}  // namespace
