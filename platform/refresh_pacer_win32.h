#pragma once
// A GDI window does not wait for the display: after painting, it sleeps
// until the screen's next refresh (its rate from the device, 60 Hz when the
// device gives none). Hold timeBeginPeriod(1) while the window is open, so
// that Sleep keeps to the millisecond.
#include <windows.h>

#include <cstdint>

#include "refresh_pacer.h"

inline void wait_for_refresh(RefreshPacer& pacer, HDC dc) {
    const int rate = GetDeviceCaps(dc, VREFRESH);  // 0 or 1: the hardware's default
    const std::uint64_t period_us = 1000000u / static_cast<std::uint64_t>(rate > 1 ? rate : 60);
    const std::uint64_t wait_us = pacer.wait_after_present(static_cast<std::uint64_t>(timeGetTime()) * 1000u, period_us);
    Sleep(static_cast<DWORD>(wait_us / 1000u));
}
