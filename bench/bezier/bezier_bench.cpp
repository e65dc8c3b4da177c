// bezier/ours_20 (the spline programs' settings, 20 pieces) and
// bezier/ours_199 (curves' settings) against bezier/sdl2_gfx_20 (SDL2_gfx's
// bezierRGBA with 20 steps, plain lines without antialiasing): the same
// 1,000 random curves inside 320x200, ends and controls at whole pixels as
// bezierRGBA takes them, placed as the ring scenes place theirs.
#include <SDL.h>
#include <SDL2_gfxPrimitives.h>
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "curve_plot.h"
#include "frame.h"

namespace {

constexpr int width = 320, height = 200, curve_count = 1000;

struct Curve {
    Point2 end, start, control;
};

const std::vector<Curve>& curves() {
    static const std::vector<Curve> list = [] {
        std::vector<Curve> c(curve_count);
        std::mt19937 random(4321);
        auto whole = [&](int low, int high) { return static_cast<double>(std::uniform_int_distribution<int>(low, high)(random)); };
        for (Curve& k : c) {
            k.end = {whole(16, 304), whole(10, 190)};
            k.start = {whole(16, 304), whole(10, 190)};
            k.control = {whole(0, 320), whole(0, 200)};
        }
        return c;
    }();
    return list;
}

void bezier_ours(benchmark::State& state, const BezierSettings* settings) {
    std::vector<std::uint32_t> buffer(static_cast<std::size_t>(width) * height, 0x00F5F5DC);
    for (auto _ : state) {
        for (const Curve& k : curves()) draw_quadratic_bezier(frame_canvas(buffer.data()), k.end, k.start, k.control, *settings);
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * curve_count);
}

void bezier_sdl2_gfx(benchmark::State& state) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGB888);
    SDL_Renderer* renderer = surface ? SDL_CreateSoftwareRenderer(surface) : nullptr;
    if (!renderer) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    for (auto _ : state) {
        for (const Curve& k : curves()) {
            // Start, control, end: B(0) is the start as in ours.
            const Sint16 vx[3] = {static_cast<Sint16>(k.start.x), static_cast<Sint16>(k.control.x), static_cast<Sint16>(k.end.x)};
            const Sint16 vy[3] = {static_cast<Sint16>(k.start.y), static_cast<Sint16>(k.control.y), static_cast<Sint16>(k.end.y)};
            bezierRGBA(renderer, vx, vy, 3, 20, 0, 0, 0, 255);
        }
        benchmark::DoNotOptimize(surface->pixels);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * curve_count);
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(surface);
}

const int registered = [] {
    benchmark::RegisterBenchmark("bezier/ours_20", bezier_ours, &spline_bezier)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("bezier/sdl2_gfx_20", bezier_sdl2_gfx)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("bezier/ours_199", bezier_ours, &curves_bezier)->Unit(benchmark::kMicrosecond);
    return 0;
}();

}  // namespace
