// ptc windows on SDL2, through the pack's shared screen: a resizable window
// whose size is the largest whole multiple of the frame that fits the
// desktop, showing the pixels as a sharp picture with its proportions kept,
// presented with vsync where the renderer offers it. Alt+Enter switches
// between the window and fullscreen.
#include <SDL.h>

#include <new>
#include <string>

#include "ptc_internal.h"
#include "sdl_screen.h"

struct ptc_window_backend {
    SdlScreen screen;
    bool close_requested = false;
};

namespace {

int fail_with(const std::string& reason) {
    static char text[240];
    SDL_strlcpy(text, reason.c_str(), sizeof text);
    return ptc_fail(text);
}

}  // namespace

void ptc_backend_close(ptc_window_backend* backend) {
    backend->screen.close();
    delete backend;
    stop_sdl_video();
}

ptc_window_backend* ptc_backend_open(ptc_target* target, const char* title, int /*pages: SDL decides*/) {
    const std::uint32_t* m = target->format.masks;
    const Uint32 texture_format = SDL_MasksToPixelFormatEnum(32, m[0], m[1], m[2], m[3]);
    if (texture_format == SDL_PIXELFORMAT_UNKNOWN) {
        ptc_fail("the display cannot show this pixel format");
        return nullptr;
    }
    std::string error;
    if (!start_sdl_video(error)) {
        fail_with(error);
        return nullptr;
    }
    auto* backend = new (std::nothrow) ptc_window_backend;
    if (!backend) {
        stop_sdl_video();
        ptc_fail("out of memory");
        return nullptr;
    }
    // The frame is 4:3 already, so the picture keeps square pixels.
    // fennick's window: 320x240 is 4:3 already, so square pixels are the picture.
    ScreenSetup setup;
    setup.title = title;
    setup.frame_width = target->width;
    setup.frame_height = target->height;
    setup.square_pixels = true;
    setup.formats = &texture_format;
    setup.format_count = 1;
    if (!backend->screen.open(setup, error)) {
        fail_with(error);
        ptc_backend_close(backend);
        return nullptr;
    }
    return backend;
}

namespace {

// Answers one event; true when the window must be painted again.
bool answer(ptc_window_backend* backend, const SDL_Event& event) {
    const bool window = event.type == SDL_WINDOWEVENT;
    if (event.type == SDL_QUIT || (window && event.window.event == SDL_WINDOWEVENT_CLOSE))
        backend->close_requested = true;
    const bool repaint = window && (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                                    event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                                    event.window.event == SDL_WINDOWEVENT_SHOWN);
    return backend->screen.handle_event(event) || repaint;
}

}  // namespace

int ptc_backend_update(ptc_window_backend* backend, const ptc_target* target) {
    backend->screen.upload(target->pixels, target->width * 4);
    backend->screen.present();

    SDL_Event event;
    while (SDL_PollEvent(&event)) answer(backend, event);
    return backend->close_requested ? 0 : 1;
}

int ptc_backend_rest(ptc_window_backend* backend, const ptc_target*, int ms) {
    // Asleep for the time, then every waiting event (SDL's own wait wakes
    // itself with a message to the window, which may be gone by then); the
    // frame texture still holds the pixels last updated.
    SDL_Delay(static_cast<Uint32>(ms));
    SDL_Event event;
    bool repaint = false;
    while (SDL_PollEvent(&event)) repaint = answer(backend, event) || repaint;
    if (repaint) backend->screen.present();
    return backend->close_requested ? 0 : 1;
}
