// ptc windows on Win32 GDI: a fixed-size window whose client area shows the
// pixels at the largest whole multiple that fits the desktop, each pixel a
// square block, painted with StretchDIBits. Its key presses go to the
// program's on_key as the window procedure handles them.
#include <windows.h>

#include <new>

#include "ptc_internal.h"
#include "refresh_pacer_win32.h"
#include "window_fit_win32.h"

struct ptc_window_backend {
    HWND window = nullptr;
    const ptc_target* target = nullptr;
    int scale = 1;  // each pixel a scale x scale block of the client area
    bool close_requested = false;
    RefreshPacer pacer;  // in microseconds of timeGetTime
};

namespace {

const char window_class[] = "ptc_window";

struct BitfieldInfo {
    BITMAPINFOHEADER header;
    DWORD masks[3];
};

// Puts the target's pixels into the client area, each one a block of
// scale x scale; the rows are top-down.
void paint(HDC dc, const ptc_target* target, int scale) {
    BitfieldInfo info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = target->width;
    info.header.biHeight = -target->height;
    info.header.biPlanes = 1;
    info.header.biBitCount = 32;
    info.header.biCompression = BI_BITFIELDS;
    for (int i = 0; i < 3; ++i) info.masks[i] = target->format.masks[i];
    SetStretchBltMode(dc, COLORONCOLOR);  // whole blocks, no mixing
    StretchDIBits(dc, 0, 0, target->width * scale, target->height * scale, 0, 0, target->width, target->height,
                  target->pixels, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
}

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* backend = reinterpret_cast<ptc_window_backend*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_CLOSE:
        // The program decides when the window goes: it learns of the
        // request from ptc_window_update and destroys the window itself.
        if (backend) backend->close_requested = true;
        return 0;
    case WM_PAINT:
        if (backend) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window, &ps);
            paint(dc, backend->target, backend->scale);
            EndPaint(window, &ps);
            return 0;
        }
        break;
    case WM_KEYDOWN:
        // Handled here, in the message's turn, so that a key pressed and
        // released between two updates is not missed.
        if (backend && backend->target->on_key)
            backend->target->on_key(backend->target->key_context, static_cast<unsigned>(wparam),
                                    (lparam & (1 << 30)) != 0);
        break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

bool register_class_once(HINSTANCE instance) {
    WNDCLASSA existing;
    if (GetClassInfoA(instance, window_class, &existing)) return true;
    WNDCLASSA wc{};
    wc.lpfnWndProc = window_procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = window_class;
    return RegisterClassA(&wc) != 0;
}

// The linker's symbol at the start of this DLL's image: its module handle,
// on every Windows (GetModuleHandleExA came only with XP).
extern "C" IMAGE_DOS_HEADER __ImageBase;

HINSTANCE this_module() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

}  // namespace

ptc_window_backend* ptc_backend_open(ptc_target* target, const char* title, int /*pages: GDI has one*/) {
    HINSTANCE instance = this_module();
    if (!register_class_once(instance)) {
        ptc_fail("cannot register the window class");
        return nullptr;
    }
    const DWORD style = WS_OVERLAPPEDWINDOW & ~(WS_THICKFRAME | WS_MAXIMIZEBOX);
    auto* backend = new (std::nothrow) ptc_window_backend;
    if (!backend) {
        ptc_fail("out of memory");
        return nullptr;
    }
    backend->target = target;
    const RECT frame =
        fit_framed_window(monitor_rect(nullptr, true), target->width, target->height, style, backend->scale);
    backend->window = CreateWindowExA(0, window_class, title, style, frame.left, frame.top, frame.right - frame.left,
                                      frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!backend->window) {
        delete backend;
        ptc_fail("cannot create the window");
        return nullptr;
    }
    SetWindowLongPtrA(backend->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(backend));
    timeBeginPeriod(1);  // Sleep to the millisecond, for the pacing
    ShowWindow(backend->window, SW_SHOWNORMAL);
    SetForegroundWindow(backend->window);
    UpdateWindow(backend->window);
    return backend;
}

int ptc_backend_update(ptc_window_backend* backend, const ptc_target* target) {
    HDC dc = GetDC(backend->window);
    paint(dc, target, backend->scale);
    wait_for_refresh(backend->pacer, dc);  // no vertical sync in GDI
    ReleaseDC(backend->window, dc);

    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return backend->close_requested ? 0 : 1;
}

// GDI's window is paced by hand, not by its messages: resting shows the
// same pixels again, at the refresh rate.
int ptc_backend_rest(ptc_window_backend* backend, const ptc_target* target, int) {
    return ptc_backend_update(backend, target);
}

void ptc_backend_close(ptc_window_backend* backend) {
    SetWindowLongPtrA(backend->window, GWLP_USERDATA, 0);
    DestroyWindow(backend->window);
    timeEndPeriod(1);
    MSG message;  // let the destruction's messages pass
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    delete backend;
}
