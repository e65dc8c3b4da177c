// The display of the native build, over SDL2: a fullscreen window at the
// desktop's size (or a window, with --window) showing the frame as the 4:3
// picture of the time or with square pixels, a streaming texture as the back
// buffer (written row by row at its pitch through the chosen converter), and
// a vsynced present as the flip. Alt+Enter switches fullscreen and window.
#include <SDL.h>

#include <cstdlib>
#include <string>

#include "display_sdl.h"
#include "command_line.h"
#include "framework.h"
#include "row_convert.h"
#include "sdl_screen.h"

namespace {

SdlScreen screen;
RunOptions display_options;
bool video_started = false;
int display_width = 0, display_height = 0;
// Set from window events, as WM_ACTIVATEAPP would: the window is shown, and
// (while fullscreen) it has the focus. A bare X server without a window
// manager never gives the focus, so it counts as had until it is lost.
bool window_shown = false;
bool window_focused = true;
RowConverter row_converter = nullptr;
std::string failure_reason = "not opened";


// Texture formats in the order of the mode fallback: 32, 24, then 16 bits.
const Uint32 texture_formats[] = {SDL_PIXELFORMAT_RGB888, SDL_PIXELFORMAT_RGB24, SDL_PIXELFORMAT_RGB565};

[[noreturn]] void end_run() {
    close_display();
    std::exit(0);
}

// Answers one event; true when the window must be painted again.
bool handle_event(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            end_run();
        case SDL_KEYDOWN: {
            if (event.key.keysym.sym == SDLK_ESCAPE) end_run();
            PlayerKey key;
            if (sdl_player_key(event.key, key)) scene_player_key(key);
            return screen.handle_event(event);
        }
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                // Shown again counts as focused again: without a window
                // manager no focus event follows.
                case SDL_WINDOWEVENT_SHOWN:
                case SDL_WINDOWEVENT_RESTORED:
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    window_focused = window_shown = true;
                    return true;
                case SDL_WINDOWEVENT_EXPOSED:
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    window_shown = true;
                    return true;
                case SDL_WINDOWEVENT_HIDDEN:
                case SDL_WINDOWEVENT_MINIMIZED:
                    window_shown = false;
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    window_focused = false;
                    break;
                case SDL_WINDOWEVENT_CLOSE:
                    end_run();
            }
            break;
    }
    return false;
}

// Fullscreen, the program is inactive without the focus (Alt+Tab); a window
// keeps its picture running behind others, as windowed players do.
bool app_active() { return window_shown && (window_focused || !screen.fullscreen()); }

// Converts the frame into the texture and shows it.
int show_frame(const std::uint32_t* frame_buffer) {
    void* pixels = nullptr;
    int pitch = 0;
    if (!screen.lock(&pixels, &pitch)) return 0;
    for (int r = 0; r < display_height; ++r)
        row_converter(frame_buffer + static_cast<std::size_t>(r) * display_width,
                      static_cast<std::uint8_t*>(pixels) + static_cast<std::ptrdiff_t>(r) * pitch, display_width);
    screen.unlock();
    screen.present();
    return 1;
}

}  // namespace

const char* display_failure_reason() { return failure_reason.c_str(); }

void set_display_options(const RunOptions& options) { display_options = options; }

int open_display(const char* title, int width, int height) {
    display_width = width;
    display_height = height;
    if (!start_sdl_video(failure_reason)) return 0;
    video_started = true;
    ScreenSetup setup;
    setup.title = title;
    setup.frame_width = width;
    setup.frame_height = height;
    setup.fullscreen = !display_options.window;
    setup.square_pixels = display_options.square_pixels;
    setup.hide_cursor = true;
    setup.formats = texture_formats;
    setup.format_count = sizeof texture_formats / sizeof texture_formats[0];
    if (!screen.open(setup, failure_reason)) return 0;
    int bits = 0;
    Uint32 red = 0, green = 0, blue = 0, alpha = 0;
    if (!SDL_PixelFormatEnumToMasks(screen.texture_format(), &bits, &red, &green, &blue, &alpha)) {
        failure_reason = sdl_display_name() + ": no pixel format: " + SDL_GetError();
        return 0;
    }
    row_converter = choose_converter(static_cast<std::uint32_t>(bits), red, green, blue);
    if (!row_converter) {
        failure_reason = sdl_display_name() + ": unsupported pixel format " +
                         SDL_GetPixelFormatName(screen.texture_format());
        return 0;
    }
    SDL_DisableScreenSaver();
    return 1;
}

void close_display() {
    screen.close();
    if (video_started) {
        SDL_EnableScreenSaver();
        stop_sdl_video();
        video_started = false;
    }
}

int present_frame(const std::uint32_t* frame_buffer) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) handle_event(event);
    if (!app_active()) {
        SDL_Delay(1);
        return 1;
    }
    const int shown = show_frame(frame_buffer);
    SDL_Delay(0);
    return shown;
}

void rest_display(const std::uint32_t* frame_buffer, std::uint32_t ms) {
    // Asleep for the time, then every waiting event. (SDL's own wait wakes
    // itself with a message to the window, which may be gone by then, when
    // the event it wakes for is Escape.)
    SDL_Delay(ms);
    SDL_Event event;
    bool repaint = false;
    while (SDL_PollEvent(&event)) repaint = handle_event(event) || repaint;
    if (repaint && app_active()) show_frame(frame_buffer);
}
