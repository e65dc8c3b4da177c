/* A stand-in winmm.dll for driving the Win32 exes' clock in tests. It exports
 * timeGetTime, and the timer-resolution calls of the GDI windows' pacing,
 * which do nothing here. Placed beside an exe and preferred by Wine with
 * WINEDLLOVERRIDES=winmm=n,b, it makes the exe's clock:
 *   FAKE_WINMM_START  first value returned (decimal, 0 to 4294967295; default 0)
 *   FAKE_WINMM_SPEED  real milliseconds are multiplied by this (default 1)
 *   FAKE_WINMM_STEP   if set, each call advances by exactly this many ms
 *                     instead of following the real clock
 * The count wraps at 2^32 like the real one. */
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <stdlib.h>

static int configured;
static unsigned long long start_value;
static double speed = 1.0;
static int stepping;
static unsigned long long step_ms;
static unsigned long long calls;
static LARGE_INTEGER origin, frequency;

/* The variable's value in text; 0 when it is unset or too long. */
static int read_setting(const char* name, char* text, DWORD size) {
    DWORD length = GetEnvironmentVariableA(name, text, size);
    return length > 0 && length < size;
}

static void configure(void) {
    char text[64];
    if (read_setting("FAKE_WINMM_START", text, sizeof text)) start_value = strtoull(text, NULL, 10);
    if (read_setting("FAKE_WINMM_SPEED", text, sizeof text)) speed = strtod(text, NULL);
    if (read_setting("FAKE_WINMM_STEP", text, sizeof text)) {
        stepping = 1;
        step_ms = strtoull(text, NULL, 10);
    }
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&origin);
    configured = 1;
}

DWORD WINAPI timeGetTime(void) {
    unsigned long long elapsed;
    if (!configured) configure();
    if (stepping) {
        elapsed = calls++ * step_ms;
    } else {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        elapsed = (unsigned long long)((double)(now.QuadPart - origin.QuadPart) * 1000.0 / (double)frequency.QuadPart * speed);
    }
    return (DWORD)(start_value + elapsed);
}

/* The timer's resolution: granted, and nothing to change. */
UINT WINAPI timeBeginPeriod(UINT period) {
    (void)period;
    return 0; /* TIMERR_NOERROR */
}

UINT WINAPI timeEndPeriod(UINT period) {
    (void)period;
    return 0;
}
