#pragma once
// Where a framed window goes on Windows: its client area the largest whole
// multiple of the picture that fits the monitor's work area with the frame,
// as the SDL screen places its window natively. Shared by fennick's ptc.dll
// and the fullscreen framework's window.
#include <windows.h>

// The monitor that `window` is on (with no window yet, the primary one): its
// work area, or all of it.
inline RECT monitor_rect(HWND window, bool work_area) {
    RECT rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    MONITORINFO info;
    info.cbSize = sizeof info;
    if (window && GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info))
        return work_area ? info.rcWork : info.rcMonitor;
    if (work_area) SystemParametersInfoA(SPI_GETWORKAREA, 0, &rect, 0);
    return rect;
}

// The window rectangle, for a window of `style`, whose client area is
// unit_w x unit_h times the largest whole `scale` (at least 1) for which the
// window fits `work`, centred on `work` (its top left kept inside).
inline RECT fit_framed_window(const RECT& work, int unit_w, int unit_h, DWORD style, int& scale) {
    const int work_w = work.right - work.left, work_h = work.bottom - work.top;
    scale = 1;
    RECT best{0, 0, unit_w, unit_h};
    AdjustWindowRectEx(&best, style, FALSE, 0);
    for (int k = 2;; ++k) {
        RECT bigger{0, 0, unit_w * k, unit_h * k};
        AdjustWindowRectEx(&bigger, style, FALSE, 0);
        if (bigger.right - bigger.left > work_w || bigger.bottom - bigger.top > work_h) break;
        best = bigger;
        scale = k;
    }
    const int w = best.right - best.left, h = best.bottom - best.top;
    const int x = work.left + (work_w - w) / 2, y = work.top + (work_h - h) / 2;
    RECT placed;
    placed.left = x > work.left ? x : work.left;
    placed.top = y > work.top ? y : work.top;
    placed.right = placed.left + w;
    placed.bottom = placed.top + h;
    return placed;
}
