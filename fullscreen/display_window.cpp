// The Win32 build's window display, drawn with GDI (which every Windows
// has): a resizable window showing the frame as the 4:3 picture of the time
// (or with square pixels), black bars around it. Alt+Enter switches between
// the window and a borderless window covering the monitor, where the mouse
// pointer is hidden. Escape or closing the window ends the program with 0.
// The picture keeps running while the window is in the background, as a
// windowed player does; nothing is drawn while it is minimized.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "display_win32.h"
#include "player_keys_win32.h"
#include "picture_scale.h"
#include "refresh_pacer_win32.h"
#include "scene_player.h"
#include "window_fit_win32.h"

namespace {

constexpr const char* window_class_name = "Velkrant window";
constexpr DWORD framed_style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
constexpr DWORD borderless_style = WS_POPUP | WS_VISIBLE;

HWND window = nullptr;
int frame_width = 0, frame_height = 0;
bool square_pixels = false;
bool covering = false;   // borderless over the whole monitor
RECT framed_rect{};      // where the framed window was, for the way back
std::vector<std::uint32_t> picture;
PictureScratch scratch;
RefreshPacer pacer;  // in microseconds of timeGetTime
PictureRect shown{};     // where the last picture went in the client area

LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
void close_window();

[[noreturn]] void end_run() {
    close_window();
    ExitProcess(0);
}

// The framed window whose client area is the largest whole multiple of the
// picture's shape (320x240, or the frame's own with square pixels) that
// fits the work area with its frame, at least 1, centred on the work area.
RECT framed_placement() {
    const int unit_w = frame_width, unit_h = square_pixels ? frame_height : frame_width * 3 / 4;
    int scale = 1;
    return fit_framed_window(monitor_rect(window, true), unit_w, unit_h, WS_OVERLAPPEDWINDOW, scale);
}

void place_framed(const RECT& at) {
    SetWindowLongA(window, GWL_STYLE, framed_style);
    SetWindowPos(window, HWND_NOTOPMOST, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_FRAMECHANGED | SWP_SHOWWINDOW);
}

void set_covering(bool cover) {
    if (cover == covering) return;
    covering = cover;
    if (cover) {
        GetWindowRect(window, &framed_rect);
        const RECT screen = monitor_rect(window, false);
        SetWindowLongA(window, GWL_STYLE, borderless_style);
        SetWindowPos(window, HWND_TOP, screen.left, screen.top, screen.right - screen.left,
                     screen.bottom - screen.top, SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    } else {
        place_framed(framed_rect);
    }
    SetForegroundWindow(window);
}

// The picture in its place and black bars around it, on `dc`.
void paint(HDC dc) {
    RECT client;
    GetClientRect(window, &client);
    const int cw = client.right, ch = client.bottom;
    if (shown.w > 0 && !picture.empty()) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = shown.w;
        info.bmiHeader.biHeight = -shown.h;  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;  // 0x00RRGGBB in memory: blue, green, red, 0
        info.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(dc, shown.x, shown.y, shown.w, shown.h, 0, 0, 0, shown.h, picture.data(), &info,
                          DIB_RGB_COLORS);
    }
    const int right = shown.x + shown.w, bottom = shown.y + shown.h;
    PatBlt(dc, 0, 0, cw, shown.y, BLACKNESS);
    PatBlt(dc, 0, bottom, cw, ch - bottom, BLACKNESS);
    PatBlt(dc, 0, shown.y, shown.x, shown.h, BLACKNESS);
    PatBlt(dc, right, shown.y, cw - right, shown.h, BLACKNESS);
}

int open_window(const char* title, int width, int height) {
    frame_width = width;
    frame_height = height;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconA(instance, "IDI_MAIN");
    window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    window_class.lpszClassName = window_class_name;
    RegisterClassA(&window_class);
    window = CreateWindowExA(0, window_class_name, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                             frame_width, frame_height, nullptr, nullptr, instance, nullptr);
    if (!window) return 0;
    timeBeginPeriod(1);  // Sleep to the millisecond, for the pacing
    place_framed(framed_placement());  // now that it exists: sized for its monitor
    SetForegroundWindow(window);
    return 1;
}

void close_window() {
    if (window) {
        DestroyWindow(window);
        timeEndPeriod(1);
    }
    window = nullptr;
    covering = false;
    picture.clear();
    shown = PictureRect{};
}

int present_window(const std::uint32_t* frame_buffer) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);  // Escape or close ends the process in here
    }
    RECT client;
    GetClientRect(window, &client);
    if (IsIconic(window) || client.right <= 0 || client.bottom <= 0) {
        Sleep(1);
        return 1;
    }
    shown = fit_picture(client.right, client.bottom, frame_width, frame_height, square_pixels);
    picture.resize(static_cast<std::size_t>(shown.w) * shown.h);
    draw_picture(frame_buffer, frame_width, frame_height, shown, picture.data(), shown.w, scratch);
    HDC dc = GetDC(window);
    paint(dc);
    wait_for_refresh(pacer, dc);  // no vertical sync in GDI
    ReleaseDC(window, dc);
    return 1;
}

LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_KEYDOWN: {
            if (wparam == VK_ESCAPE) end_run();
            PlayerKey key;
            if (win32_player_key(static_cast<unsigned>(wparam), (lparam & (1 << 30)) != 0, key)) scene_player_key(key);
            return 0;
        }
        case WM_SYSKEYDOWN:
            // Alt held, not a key repeat. DefWindowProcA still sees the key,
            // so that releasing Alt afterwards does not open the window menu.
            if (wparam == VK_RETURN && (lparam & (1 << 29)) && !(lparam & (1 << 30))) set_covering(!covering);
            break;
        case WM_SYSCHAR:
            if (wparam == '\r') return 0;  // Alt+Enter: no beep
            break;
        case WM_CLOSE:
            end_run();
        case WM_SETCURSOR:
            if (covering && LOWORD(lparam) == HTCLIENT) {
                SetCursor(nullptr);
                return TRUE;
            }
            break;
        case WM_ERASEBKGND:
            return 1;  // paint() covers every pixel
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (window) paint(dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

}  // namespace

const Display window_display{open_window, close_window, present_window};

void set_window_square_pixels(bool square) { square_pixels = square; }
