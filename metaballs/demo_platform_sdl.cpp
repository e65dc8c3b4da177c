// Escape for the SDL build. The window's events are pumped by the
// framebuffer library's update; an event watch sees every key press as it
// arrives, so a press and release between two tests is not lost.
#include <SDL.h>

#include "demo_platform.h"

namespace {

bool escape_seen = false;
bool watching = false;

int watch_escape(void*, SDL_Event* event) {
    if (event->type == SDL_KEYDOWN && event->key.keysym.scancode == SDL_SCANCODE_ESCAPE) escape_seen = true;
    return 1;
}

}  // namespace

bool escape_pressed() {
    if (!watching) {
        SDL_AddEventWatch(watch_escape, nullptr);
        watching = true;
        // SDL's keyboard state is empty until events are first pumped: an
        // Escape held at start would otherwise be missed by the first test.
        SDL_PumpEvents();
    }
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    const bool pressed = escape_seen || (keys && keys[SDL_SCANCODE_ESCAPE]);
    escape_seen = false;
    return pressed;
}
