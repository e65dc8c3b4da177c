// The display of the Win32 build, over DirectDraw (first interface
// versions, loaded at run time from ddraw.dll): a popup window with
// exclusive fullscreen control, the deepest of 32, 24 and 16 bits, a flip
// chain whose back buffer is written row by row through the chosen
// converter, and the window procedure that ends the program on Escape or a
// close request. A failed set-up only notes why (ddraw_failure_reason); the
// entry decides what to tell.
#include <windows.h>
#include <ddraw.h>

#include <cstring>

#include "display_win32.h"
#include "player_keys_win32.h"
#include "row_convert.h"
#include "scene_player.h"

LRESULT CALLBACK display_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

namespace {

int open_display(const char* title, int width, int height);
void close_display();
int present_frame(const std::uint32_t* frame_buffer);
const char* failure_reason = "";

using DirectDrawCreateFunction = HRESULT(WINAPI*)(GUID*, LPDIRECTDRAW*, IUnknown*);

// The framework state; all zero at process start, one display per process.
HMODULE display_module = nullptr;
LPDIRECTDRAW ddraw = nullptr;
LPDIRECTDRAWSURFACE primary_surface = nullptr;
LPDIRECTDRAWSURFACE back_surface = nullptr;  // part of the primary's chain
HWND display_window = nullptr;
int display_width = 0, display_height = 0;
int app_active = 0;  // wParam of the last WM_ACTIVATEAPP
RowConverter row_converter = nullptr;
WNDCLASSA window_class;

// Record sizes the display layer checks. The surface description holds a
// pointer, so the 64-bit test build's is longer than 32-bit Windows' 108.
constexpr DWORD surface_desc_size = sizeof(DDSURFACEDESC);
constexpr DWORD pixel_format_size = 32;
static_assert(sizeof(void*) != 4 || surface_desc_size == 108, "first-version surface description");
static_assert(sizeof(DDPIXELFORMAT) == pixel_format_size, "pixel format record");

constexpr DWORD exclusive_fullscreen = DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN;  // 0x11
constexpr DWORD window_style = WS_POPUP | WS_SYSMENU;                      // 0x80080000
constexpr DWORD mode_bits[] = {32, 24, 16};                                 // deepest first

// Primary surface forms, tried in order: a chain of two back buffers, of
// one, and a plain primary (which has no back buffer, so setup then fails
// at GetAttachedSurface).
struct SurfaceForm {
    DWORD flags, back_buffers, caps;
};
constexpr DWORD flip_chain_caps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_VIDEOMEMORY;
constexpr SurfaceForm surface_forms[] = {
    {DDSD_CAPS | DDSD_BACKBUFFERCOUNT, 2, flip_chain_caps},
    {DDSD_CAPS | DDSD_BACKBUFFERCOUNT, 1, flip_chain_caps},
    {DDSD_CAPS, 0, DDSCAPS_PRIMARYSURFACE | DDSCAPS_VIDEOMEMORY},
};
static_assert(flip_chain_caps == 0x4218, "flip chain caps");

bool set_deepest_mode(int width, int height) {
    for (DWORD bits : mode_bits)
        if (SUCCEEDED(ddraw->SetDisplayMode(width, height, bits))) return true;
    return false;
}

bool create_primary_surface() {
    for (const SurfaceForm& form : surface_forms) {
        DDSURFACEDESC desc;
        std::memset(&desc, 0, sizeof desc);
        desc.dwSize = surface_desc_size;
        desc.dwFlags = form.flags;
        if (form.flags & DDSD_BACKBUFFERCOUNT) desc.dwBackBufferCount = form.back_buffers;
        desc.ddsCaps.dwCaps = form.caps;
        if (SUCCEEDED(ddraw->CreateSurface(&desc, &primary_surface, nullptr))) return true;
    }
    return false;
}

void set_screen_saver(BOOL active) { SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, active, nullptr, 0); }

[[noreturn]] void end_run() {
    close_display();
    ExitProcess(0);
}

// Notes why set-up failed; returns 0, the failure of open_display.
int fail(const char* why) {
    failure_reason = why;
    return 0;
}

int open_display(const char* title, int width, int height) {
    display_width = width;
    display_height = height;
    display_module = LoadLibraryA("ddraw.dll");
    if (!display_module) return fail("DirectDraw (ddraw.dll) is not installed");
    auto create = reinterpret_cast<DirectDrawCreateFunction>(
        reinterpret_cast<void*>(GetProcAddress(display_module, "DirectDrawCreate")));
    if (!create) return fail("ddraw.dll has no DirectDrawCreate");
    if (FAILED(create(nullptr, &ddraw, nullptr))) return fail("DirectDraw could not be started on this display");

    HINSTANCE instance = GetModuleHandleA(nullptr);
    window_class.style = 0;
    window_class.lpfnWndProc = display_window_proc;
    window_class.cbClsExtra = 0;
    window_class.cbWndExtra = 0;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconA(instance, "IDI_MAIN");
    window_class.hCursor = nullptr;
    window_class.hbrBackground = nullptr;
    window_class.lpszMenuName = nullptr;
    window_class.lpszClassName = title;
    RegisterClassA(&window_class);
    display_window = CreateWindowExA(0, title, title, window_style, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);

    if (FAILED(ddraw->SetCooperativeLevel(display_window, exclusive_fullscreen)))
        return fail("the display refused exclusive fullscreen");
    if (!set_deepest_mode(width, height))
        return fail("the display offers 320x200 at none of 32, 24 and 16 bits per pixel");
    if (!create_primary_surface()) return fail("the display has no room for the screen surfaces");
    DDSCAPS back_caps;
    back_caps.dwCaps = DDSCAPS_BACKBUFFER;
    if (FAILED(primary_surface->GetAttachedSurface(&back_caps, &back_surface)))
        return fail("the display cannot flip between screen buffers");
    DDPIXELFORMAT format;
    std::memset(&format, 0, sizeof format);
    format.dwSize = pixel_format_size;
    if (FAILED(primary_surface->GetPixelFormat(&format))) return fail("the screen's pixel format is unknown");
    if (!(format.dwFlags & DDPF_RGB)) return fail("the screen has no RGB pixel format");  // e.g. palette-indexed
    row_converter = choose_converter(format.dwRGBBitCount, format.dwRBitMask, format.dwGBitMask, format.dwBBitMask);
    if (!row_converter) return fail("the screen's pixel format is not one this program can write");
    set_screen_saver(FALSE);  // for this session only, not written to the profile
    return 1;
}

void close_display() {
    if (primary_surface) {
        primary_surface->Release();  // frees the whole chain, back buffer included
        primary_surface = nullptr;
    }
    if (ddraw) {
        ddraw->RestoreDisplayMode();
        ddraw->SetCooperativeLevel(display_window, DDSCL_NORMAL);
        ddraw->Release();
        ddraw = nullptr;
    }
    DestroyWindow(display_window);
    if (display_module) {
        FreeLibrary(display_module);
        display_module = nullptr;
    }
    set_screen_saver(TRUE);
}

}  // namespace

LRESULT CALLBACK display_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_ACTIVATEAPP:
            app_active = static_cast<int>(wparam);
            return 0;
        case WM_SETCURSOR:
            SetCursor(nullptr);  // no mouse pointer over the window
            return 0;
        case WM_KEYDOWN: {
            if ((wparam & 0xFF) == VK_ESCAPE) end_run();
            PlayerKey key;
            if (win32_player_key(static_cast<unsigned>(wparam & 0xFF), (lparam & (1 << 30)) != 0, key))
                scene_player_key(key);
            return 0;  // other keys never reach DefWindowProcA
        }
        case WM_CLOSE:
            end_run();
        default:
            return DefWindowProcA(window, message, wparam, lparam);
    }
}

namespace {

int present_frame(const std::uint32_t* frame_buffer) {
    MSG message;
    while (PeekMessageA(&message, display_window, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);  // Escape or close ends the process in here
    }
    if (!app_active) {
        Sleep(1);
        return 1;
    }
    primary_surface->Restore();  // recovers lost memory of the whole chain
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = surface_desc_size;
    if (FAILED(back_surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr))) return 0;  // frame dropped
    auto* rows = static_cast<std::uint8_t*>(desc.lpSurface);
    for (int r = 0; r < display_height; ++r)
        row_converter(frame_buffer + r * display_width, rows + r * desc.lPitch, display_width);
    back_surface->Unlock(desc.lpSurface);
    primary_surface->Flip(nullptr, DDFLIP_WAIT);
    Sleep(0);
    return 1;
}

}  // namespace

const Display ddraw_display{open_display, close_display, present_frame};

const char* ddraw_failure_reason() { return failure_reason; }
