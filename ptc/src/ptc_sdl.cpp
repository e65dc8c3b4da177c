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

int ptc_backend_update(ptc_window_backend* backend, const ptc_target* target) {
    backend->screen.upload(target->pixels, target->width * 4);
    backend->screen.present();

    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT ||
            (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE))
            backend->close_requested = true;
        backend->screen.handle_event(event);
    }
    return backend->close_requested ? 0 : 1;
}
