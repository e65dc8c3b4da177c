// ptc windows on SDL2: a resizable window that shows the pixels scaled by a
// whole factor with nearest-neighbour sampling, presented with vsync where
// the renderer offers it.
#include <SDL.h>

#include <algorithm>
#include <new>

#include "ptc_internal.h"

struct ptc_window_backend {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    bool close_requested = false;
};

namespace {

// The largest whole factor at which width x height fits the desktop's usable
// area, at least 1.
int fitting_scale(int width, int height) {
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) {
        SDL_DisplayMode mode;
        if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return 1;
        usable.w = mode.w;
        usable.h = mode.h;
    }
    return std::max(1, std::min(usable.w / width, usable.h / height));
}

// Only drivers that show something on a screen: left alone, SDL falls back
// to its off-screen driver when there is no display and runs unseen. A
// driver named in SDL_VIDEODRIVER is the user's choice and is kept.
bool choose_video_drivers() {
    if (SDL_getenv("SDL_VIDEODRIVER")) return true;
    const bool x11 = SDL_getenv("DISPLAY") && *SDL_getenv("DISPLAY");
    const bool wayland = SDL_getenv("WAYLAND_DISPLAY") && *SDL_getenv("WAYLAND_DISPLAY");
    SDL_SetHint(SDL_HINT_VIDEODRIVER, x11 && wayland ? "x11,wayland,KMSDRM"
                                      : x11          ? "x11,KMSDRM"
                                      : wayland      ? "wayland,KMSDRM"
                                                     : "KMSDRM");
    return x11 || wayland;
}

int fail_with_sdl(const char* what) {
    static char reason[200];
    SDL_snprintf(reason, sizeof reason, "%s: %s", what, SDL_GetError());
    return ptc_fail(reason);
}

}  // namespace

void ptc_backend_close(ptc_window_backend* backend) {
    if (backend->texture) SDL_DestroyTexture(backend->texture);
    if (backend->renderer) SDL_DestroyRenderer(backend->renderer);
    if (backend->window) SDL_DestroyWindow(backend->window);
    delete backend;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

ptc_window_backend* ptc_backend_open(ptc_target* target, const char* title, int /*pages: SDL decides*/) {
    const std::uint32_t* m = target->format.masks;
    const Uint32 texture_format = SDL_MasksToPixelFormatEnum(32, m[0], m[1], m[2], m[3]);
    if (texture_format == SDL_PIXELFORMAT_UNKNOWN) {
        ptc_fail("the display cannot show this pixel format");
        return nullptr;
    }
    const bool display_named = choose_video_drivers();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        if (display_named)
            fail_with_sdl("cannot open the display");
        else
            ptc_fail("no display available (DISPLAY is not set)");
        return nullptr;
    }
    auto* backend = new (std::nothrow) ptc_window_backend;
    if (!backend) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        ptc_fail("out of memory");
        return nullptr;
    }
    const int scale = fitting_scale(target->width, target->height);
    backend->window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, target->width * scale,
                                       target->height * scale, SDL_WINDOW_RESIZABLE);
    if (!backend->window) {
        fail_with_sdl("cannot create the window");
        ptc_backend_close(backend);
        return nullptr;
    }
    backend->renderer =
        SDL_CreateRenderer(backend->window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!backend->renderer) backend->renderer = SDL_CreateRenderer(backend->window, -1, SDL_RENDERER_PRESENTVSYNC);
    if (!backend->renderer) backend->renderer = SDL_CreateRenderer(backend->window, -1, 0);
    if (!backend->renderer) {
        fail_with_sdl("cannot create a renderer");
        ptc_backend_close(backend);
        return nullptr;
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    // The logical size keeps the proportions when the window is resized.
    SDL_RenderSetLogicalSize(backend->renderer, target->width, target->height);
    backend->texture = SDL_CreateTexture(backend->renderer, texture_format, SDL_TEXTUREACCESS_STREAMING,
                                         target->width, target->height);
    if (!backend->texture) {
        fail_with_sdl("cannot create the window's texture");
        ptc_backend_close(backend);
        return nullptr;
    }
    return backend;
}

int ptc_backend_update(ptc_window_backend* backend, const ptc_target* target) {
    SDL_UpdateTexture(backend->texture, nullptr, target->pixels, target->width * 4);
    SDL_SetRenderDrawColor(backend->renderer, 0, 0, 0, 255);
    SDL_RenderClear(backend->renderer);
    SDL_RenderCopy(backend->renderer, backend->texture, nullptr, nullptr);
    SDL_RenderPresent(backend->renderer);

    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT ||
            (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE))
            backend->close_requested = true;
    }
    return backend->close_requested ? 0 : 1;
}
