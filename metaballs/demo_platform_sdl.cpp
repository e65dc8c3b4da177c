// fennick's keys in the SDL build. The window's events are pumped by the
// framebuffer library's update; an event watch sees every key press as it
// arrives, so a press and release between two tests is not lost.
#include <SDL.h>

#include "demo_platform.h"
#include "sdl_screen.h"

namespace {

bool escape_seen = false;
bool watching = false;
PlayerKeyQueue key_presses;

int watch_keys(void*, SDL_Event* event) {
    if (event->type != SDL_KEYDOWN) return 1;
    if (event->key.keysym.scancode == SDL_SCANCODE_ESCAPE) escape_seen = true;
    PlayerKey key;
    if (sdl_player_key(event->key, key)) key_presses.push(key);
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

void watch_player_keys(DisplayWindow&) { start_watching(); }

bool escape_pressed() {
    start_watching();
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    const bool pressed = escape_seen || (keys && keys[SDL_SCANCODE_ESCAPE]);
    escape_seen = false;
    return pressed;
}

int take_player_keys(PlayerKey* keys, int capacity) {
    start_watching();
    return key_presses.take(keys, capacity);
}
