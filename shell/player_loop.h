#pragma once
// The loop of every program on the screen. Each reading of the clock either
// shows the player's time anew or, when a present would show what the last
// one did (paused), rests the display; the program's screen says how it
// draws and presents, how it rests, and when its show is over.
#include <cstdint>

#include "player.h"

class PlayerScreen {
public:
    // Draws the frame at shown time `shown`, adds what the player draws over
    // it (Player::draw_over), and presents it; false when the window has gone.
    virtual bool show(const Player& player, std::uint32_t shown) = 0;
    // Nothing new to show: waits up to `ms` for the window's messages,
    // showing the last frame again where the window needs painting; false
    // when the window has gone.
    virtual bool rest(std::uint32_t ms) = 0;
    // After a show or a rest at shown time `shown`: whether the program's
    // show is over. The viewer's keys of a screen that polls for them are
    // handed to `player` here.
    virtual bool over(Player& player, std::uint32_t shown) = 0;

protected:
    ~PlayerScreen() = default;
};

// How long a paused loop rests before it looks at its messages again: a key
// is answered within it.
constexpr std::uint32_t player_rest_ms = 20;

// Runs until the window has gone or the screen says the show is over. The
// clock is read once a pass (clock.h); the shown time is the player's.
void run_player_loop(Player& player, PlayerScreen& screen);
