// One whole frame of each fullscreen program at its largest arc count:
// background, arcs and (for the spline programs) the counter.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "frame.h"
#include "curves_scene.h"
#include "scene_frames.h"
#include "splines2_scene.h"
#include "splines_scene.h"

namespace {

void draw_frames(benchmark::State& state, const SceneFrame& scene, std::uint32_t ms) {
    std::vector<std::uint32_t> buffer(frame_pixels);
    for (auto _ : state) {
        draw_scene_frame_at(scene, frame_canvas(buffer.data()), ms);
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
}

// 287,999 ms is tick 17,999: N = 37 for curves and 122 for splines2.
void curves_37(benchmark::State& state) { draw_frames(state, curves_frame, 287999); }
void splines_6(benchmark::State& state) { draw_frames(state, splines_frame, 287999); }
void splines2_122(benchmark::State& state) { draw_frames(state, splines2_frame, 287999); }

}  // namespace

BENCHMARK(curves_37)->Name("frame/curves")->Unit(benchmark::kMicrosecond);
BENCHMARK(splines_6)->Name("frame/splines")->Unit(benchmark::kMicrosecond);
BENCHMARK(splines2_122)->Name("frame/splines2_122")->Unit(benchmark::kMicrosecond);
