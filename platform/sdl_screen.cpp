#include "sdl_screen.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include "picture_scale.h"

namespace {

SDL_Rect desktop_bounds(SDL_Window* window, bool usable) {
    int index = window ? SDL_GetWindowDisplayIndex(window) : 0;
    if (index < 0) index = 0;
    SDL_Rect bounds{0, 0, 640, 480};
    if ((usable ? SDL_GetDisplayUsableBounds(index, &bounds) : SDL_GetDisplayBounds(index, &bounds)) != 0)
        SDL_GetDisplayBounds(index, &bounds);
    return bounds;
}

std::string environment(const char* name) {
    const char* value = SDL_getenv(name);
    return value ? value : "";
}

// The display a video driver shows on, as the messages name it.
std::string display_of(const std::string& driver) {
    if (driver == "x11") return "X display '" + environment("DISPLAY") + "'";
    if (driver == "wayland") {
        const std::string name = environment("WAYLAND_DISPLAY");
        return "Wayland display '" + (name.empty() ? "wayland-0" : name) + "'";
    }
    if (driver == "KMSDRM") return "the console (KMSDRM)";
    return "SDL video driver '" + driver + "'";
}

// Unless the user names a driver, only those that can show something here:
// probing Wayland without a Wayland display prints complaints of its own.
void choose_video_drivers() {
    if (SDL_getenv("SDL_VIDEODRIVER")) return;
    const bool x11 = !environment("DISPLAY").empty();
    const bool wayland = !environment("WAYLAND_DISPLAY").empty();
    SDL_SetHint(SDL_HINT_VIDEODRIVER, x11 && wayland ? "x11,wayland,KMSDRM"
                                      : x11          ? "x11,KMSDRM"
                                      : wayland      ? "wayland,KMSDRM"
                                                     : "KMSDRM");
}

// Why no video driver started, naming every display that was tried. SDL
// itself only says that the last of them (the console) is not available.
std::string no_video_reason() {
    const std::string asked = environment("SDL_VIDEODRIVER");
    if (!asked.empty()) return display_of(asked) + ": " + SDL_GetError();
    std::string tried;
    if (!environment("DISPLAY").empty()) tried = display_of("x11");
    if (!environment("WAYLAND_DISPLAY").empty()) tried += (tried.empty() ? "" : " or ") + display_of("wayland");
    if (tried.empty()) return "DISPLAY and WAYLAND_DISPLAY are not set, and " + display_of("KMSDRM") + " cannot be opened";
    return "no connection to " + tried;
}

}  // namespace

bool start_sdl_video(std::string& error) {
    choose_video_drivers();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = no_video_reason();
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || (SDL_strcmp(driver, "offscreen") != 0 && SDL_strcmp(driver, "dummy") != 0)) return true;
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (asked && SDL_strcasecmp(asked, driver) == 0) return true;
    error = std::string("no screen: only SDL's invisible '") + driver + "' video driver is available";
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return false;
}

std::string sdl_display_name() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver ? display_of(driver) : "no display";
}

void stop_sdl_video() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

namespace {

// "X display ':0': no renderer: SDL's reason".
std::string sdl_failure(const char* step) { return sdl_display_name() + ": " + step + ": " + SDL_GetError(); }

// Whether the renderer draws through one of Mesa's software rasterizers (no
// GPU: a virtual machine, a bare X server). Its GL context is current.
bool draws_with_software_gl(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || SDL_strncmp(info.name, "opengl", 6) != 0) return false;
    using GetString = const unsigned char* (*)(unsigned name);
    const auto get_string = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    constexpr unsigned gl_renderer = 0x1F01;
    const char* name = get_string ? reinterpret_cast<const char*>(get_string(gl_renderer)) : nullptr;
    return name && (SDL_strstr(name, "llvmpipe") || SDL_strstr(name, "softpipe") ||
                    SDL_strstr(name, "Software Rasterizer"));
}

// SDL's first renderer for the window, vsynced where it can be. Where that
// would rasterize the scaled picture in software, SDL's own software renderer
// instead, blitting into the window's shared memory: at 1280x960 on a bare X
// server that costs a fifth of a core rather than three quarters. A renderer
// the user names in SDL_RENDER_DRIVER is kept.
SDL_Renderer* create_renderer(SDL_Window* window) {
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC | SDL_RENDERER_TARGETTEXTURE);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
    if (!renderer || SDL_getenv("SDL_RENDER_DRIVER") || !draws_with_software_gl(renderer)) return renderer;
    SDL_DestroyRenderer(renderer);
    // The window's pixels go straight to the display, not through GL again.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
    return renderer ? renderer : SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
}

}  // namespace

bool SdlScreen::open(const ScreenSetup& setup, std::string& error) {
    setup_ = setup;
    fullscreen_ = setup.fullscreen;
    SDL_Rect screen = desktop_bounds(nullptr, false);
    int width = screen.w, height = screen.h;
    Uint32 flags = SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS;
    int x = screen.x, y = screen.y;
    if (!fullscreen_) {
        window_place_on_desktop(x, y, width, height);
        flags = SDL_WINDOW_RESIZABLE;
    }
    // Fullscreen windows are also made the desktop's size at its corner, so
    // that they cover the screen where no window manager carries out the
    // fullscreen request. The window stays hidden until its renderer is
    // settled: SDL re-creates the window for a GL renderer and again for the
    // software one, and a screen should see one window from start to end.
    window_ = SDL_CreateWindow(setup.title, x, y, width, height, flags | SDL_WINDOW_HIDDEN);
    if (!window_) return error = sdl_failure("no window"), false;
    renderer_ = create_renderer(window_);
    if (!renderer_) return error = sdl_failure("no renderer"), false;
    for (int i = 0; i < setup.format_count && !frame_; ++i) {
        frame_ = SDL_CreateTexture(renderer_, setup.formats[i], SDL_TEXTUREACCESS_STREAMING, setup.frame_width,
                                   setup.frame_height);
        if (frame_) format_ = setup.formats[i];
    }
    if (!frame_) return error = sdl_failure("no frame texture in any of the formats"), false;
    SDL_SetTextureScaleMode(frame_, SDL_ScaleModeNearest);
    if (setup.hide_cursor) SDL_ShowCursor(SDL_DISABLE);
    SDL_ShowWindow(window_);
    return true;
}

void SdlScreen::close() {
    if (block_) SDL_DestroyTexture(block_);
    if (frame_) SDL_DestroyTexture(frame_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    block_ = frame_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
    block_scale_ = 0;
}

bool SdlScreen::lock(void** pixels, int* pitch) { return SDL_LockTexture(frame_, nullptr, pixels, pitch) == 0; }

void SdlScreen::unlock() { SDL_UnlockTexture(frame_); }

void SdlScreen::upload(const void* pixels, int pitch) { SDL_UpdateTexture(frame_, nullptr, pixels, pitch); }

bool SdlScreen::ensure_block_texture(int scale) {
    if (block_ && block_scale_ == scale) return true;
    if (block_) SDL_DestroyTexture(block_);
    block_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_TARGET,
                               setup_.frame_width * scale, setup_.frame_height * scale);
    block_scale_ = block_ ? scale : 0;
    if (block_) SDL_SetTextureScaleMode(block_, SDL_ScaleModeLinear);
    return block_ != nullptr;
}

void SdlScreen::present() {
    int out_w = 0, out_h = 0;
    SDL_GetRendererOutputSize(renderer_, &out_w, &out_h);
    const PictureRect picture = fit_picture(out_w, out_h, setup_.frame_width, setup_.frame_height,
                                            setup_.square_pixels);
    const SDL_Rect target{picture.x, picture.y, picture.w, picture.h};
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    const bool whole = picture.w == setup_.frame_width * picture.scale &&
                       picture.h == setup_.frame_height * picture.scale;
    if (whole || !ensure_block_texture(picture.scale) || SDL_SetRenderTarget(renderer_, block_) != 0) {
        // Whole factors only (or no render targets): one nearest copy.
        SDL_RenderCopy(renderer_, frame_, nullptr, &target);
    } else {
        SDL_RenderCopy(renderer_, frame_, nullptr, nullptr);
        SDL_SetRenderTarget(renderer_, nullptr);
        SDL_RenderCopy(renderer_, block_, nullptr, &target);
    }
    SDL_RenderPresent(renderer_);
    pace_to_refresh();
}

void SdlScreen::pace_to_refresh() {
    SDL_DisplayMode mode{};
    const int display = SDL_GetWindowDisplayIndex(window_);
    const int rate = display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 && mode.refresh_rate > 0
                         ? mode.refresh_rate
                         : 60;
    const Uint64 frequency = SDL_GetPerformanceFrequency(), period = frequency / static_cast<Uint64>(rate);
    const Uint64 wait = pacer_.wait_after_present(SDL_GetPerformanceCounter(), period);
    if (wait > 0) SDL_Delay(static_cast<Uint32>(wait * 1000 / frequency));
}

bool SdlScreen::handle_event(const SDL_Event& event) {
    if (event.type != SDL_KEYDOWN || event.key.repeat) return false;
    const SDL_Keycode key = event.key.keysym.sym;
    if ((key != SDLK_RETURN && key != SDLK_KP_ENTER) || !(event.key.keysym.mod & KMOD_ALT)) return false;
    set_fullscreen(!fullscreen_);
    return true;
}

void SdlScreen::window_place_on_desktop(int& x, int& y, int& width, int& height) const {
    // The largest whole multiple of the picture's shape that fits the
    // desktop's work area, centred on it; on a work area smaller than the
    // picture, the picture's shape shrunk to fit it.
    const int unit_w = setup_.frame_width;
    const int unit_h = setup_.square_pixels ? setup_.frame_height : setup_.frame_width * 3 / 4;
    const SDL_Rect desktop = desktop_bounds(window_, true);
    const int k = desktop.w / unit_w < desktop.h / unit_h ? desktop.w / unit_w : desktop.h / unit_h;
    if (k >= 1) {
        width = unit_w * k;
        height = unit_h * k;
    } else if (desktop.w * unit_h < desktop.h * unit_w) {  // narrower than the picture's shape
        width = desktop.w;
        height = desktop.w * unit_h / unit_w;
    } else {
        height = desktop.h;
        width = desktop.h * unit_w / unit_h;
    }
    if (width < 1) width = 1;
    if (height < 1) height = 1;
    x = desktop.x + (desktop.w - width) / 2;
    y = desktop.y + (desktop.h - height) / 2;
}

void SdlScreen::set_fullscreen(bool fullscreen) {
    if (fullscreen == fullscreen_ || !window_) return;
    fullscreen_ = fullscreen;
    if (fullscreen) {
        const SDL_Rect screen = desktop_bounds(window_, false);
        SDL_SetWindowBordered(window_, SDL_FALSE);
        SDL_SetWindowResizable(window_, SDL_FALSE);
        SDL_SetWindowPosition(window_, screen.x, screen.y);
        SDL_SetWindowSize(window_, screen.w, screen.h);
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else {
        int x = 0, y = 0, width = 0, height = 0;
        window_place_on_desktop(x, y, width, height);
        SDL_SetWindowFullscreen(window_, 0);
        SDL_SetWindowBordered(window_, SDL_TRUE);
        SDL_SetWindowResizable(window_, SDL_TRUE);
        SDL_SetWindowSize(window_, width, height);
        SDL_SetWindowPosition(window_, x, y);
    }
}

bool sdl_escape_held() {
    SDL_PumpEvents();
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    if (keys && keys[SDL_SCANCODE_ESCAPE]) return true;
    SDL_Window* window = SDL_GetKeyboardFocus();
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    // The X server's own view of the keys down now, which also holds a key
    // pressed before the window existed: SDL saw no press of it.
    char down[32];
    XQueryKeymap(info.info.x11.display, down);
    const unsigned code = XKeysymToKeycode(info.info.x11.display, XK_Escape);
    return code != 0 && code < 256 && ((down[code / 8] >> (code % 8)) & 1);
}

bool sdl_player_key(const SDL_KeyboardEvent& event, PlayerKey& key) {
    const bool shift = (event.keysym.mod & KMOD_SHIFT) != 0;
    switch (event.keysym.sym) {
        case SDLK_SPACE: key = PlayerKey::toggle_pause; return !event.repeat;  // held: one toggle
        case SDLK_COMMA: key = PlayerKey::step_back; return true;
        case SDLK_PERIOD: key = PlayerKey::step_forward; return true;
        case SDLK_LEFT: key = shift ? PlayerKey::back_ten_seconds : PlayerKey::back_second; return true;
        case SDLK_RIGHT: key = shift ? PlayerKey::forward_ten_seconds : PlayerKey::forward_second; return true;
        case SDLK_LEFTBRACKET: key = PlayerKey::slower; return true;
        case SDLK_RIGHTBRACKET: key = PlayerKey::faster; return true;
        case SDLK_HOME: key = PlayerKey::restart; return true;
        case SDLK_i: key = PlayerKey::toggle_overlay; return !event.repeat;
        case SDLK_a: key = PlayerKey::mark_a; return !event.repeat;
        case SDLK_b: key = PlayerKey::mark_b; return !event.repeat;
        case SDLK_PAGEUP: key = PlayerKey::previous_step; return true;
        case SDLK_PAGEDOWN: key = PlayerKey::next_step; return true;
        case SDLK_g: key = PlayerKey::toggle_guides; return !event.repeat;
        case SDLK_s: key = PlayerKey::save_frame; return !event.repeat;
        default: return false;
    }
}
