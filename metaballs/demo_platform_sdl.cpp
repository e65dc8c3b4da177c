// fennick's keys in the SDL build. The window's events are pumped by the
// framebuffer library's update; an event watch sees every key press as it
// arrives, so a press and release between two tests is not lost.
#include <SDL.h>

#include "demo_platform.h"
#include "sdl_screen.h"

namespace {

bool escape_seen = false;
bool watching = false;
PlayerKey player_keys[16];  // pressed since the last take; more in one frame are dropped
int player_key_count = 0;

int watch_keys(void*, SDL_Event* event) {
    if (event->type != SDL_KEYDOWN) return 1;
    if (event->key.keysym.scancode == SDL_SCANCODE_ESCAPE) escape_seen = true;
    PlayerKey key;
    if (player_key_count < 16 && sdl_player_key(event->key, key)) player_keys[player_key_count++] = key;
    return 1;
}

void start_watching() {
    if (watching) return;
    SDL_AddEventWatch(watch_keys, nullptr);
    watching = true;
    // An Escape held since before the window was made has sent no press.
    escape_seen = sdl_escape_held();
}

}  // namespace

bool escape_pressed() {
    start_watching();
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    const bool pressed = escape_seen || (keys && keys[SDL_SCANCODE_ESCAPE]);
    escape_seen = false;
    return pressed;
}

int take_player_keys(PlayerKey* keys, int capacity) {
    start_watching();
    const int n = player_key_count < capacity ? player_key_count : capacity;
    for (int i = 0; i < n; ++i) keys[i] = player_keys[i];
    player_key_count = 0;
    return n;
}
