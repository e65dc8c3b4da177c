/* Preloaded into a native program (LD_PRELOAD) to count its calls of
 * SDL_LockTexture, SDL_RenderPresent and SDL_Delay(1). After every counted
 * call the totals are written as one line "locks presents delays" over the
 * start of the file named by SDL_CALL_COUNTER_FILE, so a test can read them
 * at any moment while the program runs. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

static unsigned long locks, presents, delays;

static void write_totals(void) {
    static int fd = -2;
    char line[80];
    int n;
    if (fd == -2) {
        const char* path = getenv("SDL_CALL_COUNTER_FILE");
        fd = path ? open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644) : -1;
    }
    if (fd < 0) return;
    /* Fixed width, so a shorter line never leaves digits of a longer one. */
    n = snprintf(line, sizeof line, "%20lu %20lu %20lu\n", locks, presents, delays);
    if (pwrite(fd, line, (size_t)n, 0) < 0) return;
}

static void* next(const char* name) { return dlsym(RTLD_NEXT, name); }

int SDL_LockTexture(void* texture, const void* rect, void** pixels, int* pitch) {
    static int (*real)(void*, const void*, void**, int*);
    if (!real) real = (int (*)(void*, const void*, void**, int*))next("SDL_LockTexture");
    ++locks;
    write_totals();
    return real(texture, rect, pixels, pitch);
}

void SDL_RenderPresent(void* renderer) {
    static void (*real)(void*);
    if (!real) real = (void (*)(void*))next("SDL_RenderPresent");
    ++presents;
    write_totals();
    real(renderer);
}

void SDL_Delay(unsigned int ms) {
    static void (*real)(unsigned int);
    if (!real) real = (void (*)(unsigned int))next("SDL_Delay");
    if (ms == 1) {
        ++delays;
        write_totals();
    }
    real(ms);
}
