// present_frame on the native display takes no heap memory once the display
// is open: neither through operator new nor through SDL's own allocator.
// Runs on SDL's dummy video driver (asked for by name, so it counts as a
// screen), whose window surface shows what the software renderer drew.
#include <gtest/gtest.h>

#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "counting_new.h"
#include "display_sdl.h"
#include "command_line.h"
#include "framework.h"

namespace {

std::atomic<std::size_t> sdl_allocations{0};
SDL_malloc_func real_malloc;
SDL_calloc_func real_calloc;
SDL_realloc_func real_realloc;
SDL_free_func real_free;

void* counted_malloc(size_t size) { ++sdl_allocations; return real_malloc(size); }
void* counted_calloc(size_t n, size_t size) { ++sdl_allocations; return real_calloc(n, size); }
void* counted_realloc(void* p, size_t size) { ++sdl_allocations; return real_realloc(p, size); }

std::uint32_t frame_buffer[320 * 200];

TEST(PresentFrameAllocation, PresentTakesNoHeapMemory) {
    // Before SDL allocates anything, so that every block it frees was ours.
    SDL_GetMemoryFunctions(&real_malloc, &real_calloc, &real_realloc, &real_free);
    ASSERT_EQ(SDL_SetMemoryFunctions(counted_malloc, counted_calloc, counted_realloc, real_free), 0);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    RunOptions options;
    options.window = true;
    options.square_pixels = true;
    set_display_options(options);
    ASSERT_EQ(open_display("Velkrant", 320, 200), 1) << display_failure_reason();
    EXPECT_GT(sdl_allocations, 0u) << "opening the display goes through the counting allocator";

    for (auto& p : frame_buffer) p = 0x00336699;
    // The first presents settle the window (shown event, renderer caches).
    for (int i = 0; i < 3; ++i) ASSERT_EQ(present_frame(frame_buffer), 1);

    const std::size_t sdl_before = sdl_allocations;
    const std::size_t news = counting_new::during([] {
        for (int i = 0; i < 20; ++i) present_frame(frame_buffer);
    });
    EXPECT_EQ(news, 0u) << "operator new inside present_frame";
    EXPECT_EQ(sdl_allocations - sdl_before, 0u) << "SDL allocations inside present_frame";

    // The frame did reach the window: its centre shows the frame's colour.
    SDL_Window* window = SDL_GetWindowFromID(1);
    ASSERT_NE(window, nullptr);
    SDL_Surface* shown = SDL_GetWindowSurface(window);
    ASSERT_NE(shown, nullptr);
    SDL_LockSurface(shown);
    const auto* row = static_cast<const std::uint8_t*>(shown->pixels) + (shown->h / 2) * shown->pitch;
    std::uint32_t centre = 0;
    std::memcpy(&centre, row + (shown->w / 2) * shown->format->BytesPerPixel, sizeof centre);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(centre, shown->format, &r, &g, &b);
    SDL_UnlockSurface(shown);
    EXPECT_EQ((r << 16) | (g << 8) | b, 0x336699);
    close_display();
}

}  // namespace
