// The display of the native build, over SDL2: a fullscreen window at the
// desktop's size showing the frame at its logical size with nearest-pixel
// scaling and its proportions kept, a streaming texture as the back buffer
// (written row by row at its pitch through the chosen converter), and a
// vsynced present as the flip.
#include <SDL.h>

#include <cstdlib>
#include <string>

#include "display_sdl.h"
#include "framework.h"
#include "row_convert.h"

namespace {

SDL_Window* display_window = nullptr;
SDL_Renderer* renderer = nullptr;
SDL_Texture* back_texture = nullptr;
bool video_started = false;
int display_width = 0, display_height = 0;
int app_active = 0;  // set from window events, as WM_ACTIVATEAPP would
RowConverter row_converter = nullptr;
std::string failure_reason = "not opened";

int fail(const char* step) {
    failure_reason = std::string(step) + ": " + SDL_GetError();
    return 0;
}

// Texture formats in the order of the mode fallback: 32, 24, then 16 bits.
const Uint32 texture_formats[] = {SDL_PIXELFORMAT_RGB888, SDL_PIXELFORMAT_RGB24, SDL_PIXELFORMAT_RGB565};

[[noreturn]] void end_run() {
    close_display();
    std::exit(0);
}

void handle_event(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            end_run();
        case SDL_KEYDOWN:
            if (event.key.keysym.sym == SDLK_ESCAPE) end_run();
            break;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                // Shown counts as active: a bare X server without a window
                // manager never gives the window the focus.
                case SDL_WINDOWEVENT_SHOWN:
                case SDL_WINDOWEVENT_EXPOSED:
                case SDL_WINDOWEVENT_RESTORED:
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    app_active = 1;
                    break;
                case SDL_WINDOWEVENT_HIDDEN:
                case SDL_WINDOWEVENT_MINIMIZED:
                    app_active = 0;
                    break;
                case SDL_WINDOWEVENT_CLOSE:
                    end_run();
            }
            break;
    }
}

// SDL falls back to drivers that show nothing when no screen is reachable;
// they count as a screen only when asked for by name in SDL_VIDEODRIVER.
bool visible_driver() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || (SDL_strcmp(driver, "offscreen") != 0 && SDL_strcmp(driver, "dummy") != 0)) return true;
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    return asked && SDL_strcasecmp(asked, driver) == 0;
}

}  // namespace

const char* display_failure_reason() { return failure_reason.c_str(); }

int open_display(const char* title, int width, int height) {
    display_width = width;
    display_height = height;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return fail("no video");
    video_started = true;
    if (!visible_driver()) {
        failure_reason = std::string("no screen (only SDL's invisible '") + SDL_GetCurrentVideoDriver() +
                         "' video driver is available; is DISPLAY set?)";
        return 0;
    }
    // Fullscreen at the desktop's size. The window is also made that size,
    // borderless at the screen's corner, so that it covers the screen even
    // where no window manager carries out the fullscreen request.
    SDL_Rect screen;
    if (SDL_GetDisplayBounds(0, &screen) != 0) return fail("no screen");
    display_window = SDL_CreateWindow(title, screen.x, screen.y, screen.w, screen.h,
                                      SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS);
    if (!display_window) return fail("no window");
    renderer = SDL_CreateRenderer(display_window, -1, SDL_RENDERER_PRESENTVSYNC);
    if (!renderer) return fail("no renderer");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");  // crisp pixels
    if (SDL_RenderSetLogicalSize(renderer, width, height) != 0) return fail("no logical size");
    Uint32 format = 0;
    for (Uint32 f : texture_formats) {
        back_texture = SDL_CreateTexture(renderer, f, SDL_TEXTUREACCESS_STREAMING, width, height);
        if (back_texture) {
            format = f;
            break;
        }
    }
    if (!back_texture) return fail("no 32, 24 or 16-bit texture");
    int bits = 0;
    Uint32 red = 0, green = 0, blue = 0, alpha = 0;
    if (!SDL_PixelFormatEnumToMasks(format, &bits, &red, &green, &blue, &alpha)) return fail("no pixel format");
    row_converter = choose_converter(static_cast<std::uint32_t>(bits), red, green, blue);
    if (!row_converter) {
        failure_reason = std::string("unsupported pixel format ") + SDL_GetPixelFormatName(format);
        return 0;
    }
    SDL_ShowCursor(SDL_DISABLE);
    SDL_DisableScreenSaver();
    return 1;
}

void close_display() {
    if (back_texture) SDL_DestroyTexture(back_texture);
    back_texture = nullptr;
    if (renderer) SDL_DestroyRenderer(renderer);
    renderer = nullptr;
    if (display_window) SDL_DestroyWindow(display_window);
    display_window = nullptr;
    if (video_started) {
        SDL_EnableScreenSaver();
        SDL_Quit();
        video_started = false;
    }
}

int present_frame(const std::uint32_t* frame_buffer) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) handle_event(event);
    if (!app_active) {
        SDL_Delay(1);
        return 1;
    }
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(back_texture, nullptr, &pixels, &pitch) != 0) return 0;
    for (int r = 0; r < display_height; ++r)
        row_converter(frame_buffer + static_cast<std::size_t>(r) * display_width,
                      static_cast<std::uint8_t*>(pixels) + static_cast<std::ptrdiff_t>(r) * pitch, display_width);
    SDL_UnlockTexture(back_texture);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, back_texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
    SDL_Delay(0);
    return 1;
}

std::uint32_t clock_ms() { return SDL_GetTicks(); }
