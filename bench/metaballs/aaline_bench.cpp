// aaline/ours against aaline/sdl2_gfx: the same 10,000 random segments of 2
// to 40 pixels inside a 320x240 32-bit surface, drawn by AALine::draw and by
// SDL2_gfx's aalineRGBA (through a software renderer on an SDL surface).
// The segments have whole-pixel ends, since aalineRGBA takes integers.
#include <SDL.h>
#include <SDL2_gfxPrimitives.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "aaline.h"
#include "display_adapter.h"

namespace {

constexpr int width = 320, height = 240, segment_count = 10000;

struct Segment {
    int x0, y0, x1, y1;
};

const std::vector<Segment>& segments() {
    static const std::vector<Segment> list = [] {
        std::vector<Segment> s;
        std::mt19937 random(1234);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        while (static_cast<int>(s.size()) < segment_count) {
            const int x0 = 2 + static_cast<int>(unit(random) * (width - 4));
            const int y0 = 2 + static_cast<int>(unit(random) * (height - 4));
            const double length = 2.0 + 38.0 * unit(random), angle = 6.283185307179586 * unit(random);
            const int x1 = x0 + static_cast<int>(std::lround(length * std::cos(angle)));
            const int y1 = y0 + static_cast<int>(std::lround(length * std::sin(angle)));
            const double drawn = std::hypot(x1 - x0, y1 - y0);
            if (x1 < 2 || x1 > width - 2 || y1 < 2 || y1 > height - 2 || drawn < 2.0 || drawn > 40.0) continue;
            s.push_back({x0, y0, x1, y1});
        }
        return s;
    }();
    return list;
}

constexpr std::uint32_t line_color = 0x00107040;

void aaline_ours(benchmark::State& state) {
    PixelFormat format(32, 0xFF0000, 0xFF00, 0xFF, 0);
    OffscreenSurface surface(width, height, format);
    AALine line;
    for (auto _ : state) {
        for (const Segment& s : segments()) {
            line.x0 = s.x0;
            line.x1 = s.x1;
            line.y0 = s.y0;
            line.y1 = s.y1;
            line.color = line_color;
            line.draw(surface);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * segment_count);
}

void aaline_sdl2_gfx(benchmark::State& state) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGB888);
    SDL_Renderer* renderer = surface ? SDL_CreateSoftwareRenderer(surface) : nullptr;
    if (!renderer) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    const Uint8 r = (line_color >> 16) & 0xFF, g = (line_color >> 8) & 0xFF, b = line_color & 0xFF;
    for (auto _ : state) {
        for (const Segment& s : segments())
            aalineRGBA(renderer, static_cast<Sint16>(s.x0), static_cast<Sint16>(s.y0), static_cast<Sint16>(s.x1),
                       static_cast<Sint16>(s.y1), r, g, b, 255);
        benchmark::DoNotOptimize(surface->pixels);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * segment_count);
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(surface);
}

const int registered = [] {
    benchmark::RegisterBenchmark("aaline/ours", aaline_ours)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("aaline/sdl2_gfx", aaline_sdl2_gfx)->Unit(benchmark::kMicrosecond);
    return 0;
}();

}  // namespace
