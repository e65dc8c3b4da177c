#pragma once
// The native build's screen, over SDL2, shared by fennick's framebuffer
// library and the fullscreen framework: a window (fullscreen or not) that
// shows a frame of fixed size through a streaming texture, as a sharp
// picture: whole-factor nearest-neighbour scaling first, then the small rest
// with linear filtering, centred with black bars (see fit_picture).
// Alt+Enter switches between fullscreen and a window at any time.
#include <SDL.h>

#include <string>

#include "player_key.h"
#include "refresh_pacer.h"

// Starts SDL's video. SDL quietly falls back to drivers that show nothing
// (offscreen, dummy) when no screen is reachable; those count as failure
// unless SDL_VIDEODRIVER names them. On failure says why in `error`,
// naming the displays tried ("no connection to X display ':7'").
bool start_sdl_video(std::string& error);
void stop_sdl_video();
// The display SDL's video runs on, as messages name it: "X display ':0'",
// "Wayland display 'wayland-0'", "the console (KMSDRM)". Every failure of
// SdlScreen::open starts with it.
std::string sdl_display_name();

struct ScreenSetup {
    const char* title = "";
    int frame_width = 0;
    int frame_height = 0;
    bool fullscreen = false;         // start fullscreen, else in a window
    bool square_pixels = false;      // 1:1 pixels instead of the 4:3 picture
    bool hide_cursor = false;        // pointer hidden over the window
    const Uint32* formats = nullptr;  // streaming texture formats to try, in order
    int format_count = 0;
};

class SdlScreen {
public:
    // Creates window, renderer and frame texture. On failure says why in
    // `error` and leaves what it made for close().
    bool open(const ScreenSetup& setup, std::string& error);
    void close();

    Uint32 texture_format() const { return format_; }
    // The frame texture's pixels for writing, row by row at `pitch` bytes.
    bool lock(void** pixels, int* pitch);
    void unlock();
    // Copies a whole frame of the texture's format into the frame texture.
    void upload(const void* pixels, int pitch);
    // Shows the frame texture as the picture, with vsync where offered.
    // Where the display does not wait (no vsync, e.g. a bare X server), it
    // waits itself for the display's next refresh (60 Hz when SDL gives no
    // rate), so that frames nobody can see are not drawn.
    void present();

    // Alt+Enter; returns true when the event was that key.
    bool handle_event(const SDL_Event& event);
    void set_fullscreen(bool fullscreen);
    bool fullscreen() const { return fullscreen_; }

private:
    void window_place_on_desktop(int& x, int& y, int& width, int& height) const;
    bool ensure_block_texture(int scale);

    void pace_to_refresh();

    ScreenSetup setup_{};
    RefreshPacer pacer_;  // in performance counter units
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* frame_ = nullptr;
    SDL_Texture* block_ = nullptr;  // the frame at a whole factor, for the linear rest
    int block_scale_ = 0;
    Uint32 format_ = 0;
    bool fullscreen_ = false;
};

// Whether Escape is down now, as the keyboard state of Windows tells it: SDL's
// state after pumping its events, or where the window with the keyboard is
// on X11 the server's, which knows a key held since before the window was
// made (SDL then saw no press of it).
bool sdl_escape_held();

// The player's key of a key press (Space, comma, full stop, the arrows with
// or without Shift, the brackets, Home, I, A, B, G, S, PageUp, PageDown); false
// for any other key.
bool sdl_player_key(const SDL_KeyboardEvent& event, PlayerKey& key);
