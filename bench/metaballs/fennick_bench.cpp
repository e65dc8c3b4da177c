// The cost of one fennick frame and of its parts, at a few clock counts:
//   fennick/field     clear the field and add the three balls
//   fennick/contours  both contour passes, segments counted but not drawn
//   fennick/lines     projecting and drawing the frame's segments
//   fennick/frame     the whole frame (clear, field, contours, lines), no present
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "contours.h"
#include "demo.h"
#include "display_adapter.h"
#include "field.h"
#include "segment.h"

namespace {

struct FoundSegment {
    Vector from, to;
    std::uint32_t color;
};

void both_passes(std::vector<FoundSegment>& out) {
    double threshold = first_threshold;
    auto keep = [&](const Vector& a, const Vector& b, std::uint32_t c) { out.push_back({a, b, c}); };
    extract_contours(threshold, outer_color, keep);
    threshold = threshold * 2.0;
    extract_contours(threshold, inner_color, keep);
}

void field_cost(benchmark::State& state) {
    const double t = demo_time(static_cast<std::uint32_t>(state.range(0)));
    for (auto _ : state) {
        fill_field(t);
        benchmark::DoNotOptimize(field[16][16][16]);
    }
}

void contours_cost(benchmark::State& state) {
    fill_field(demo_time(static_cast<std::uint32_t>(state.range(0))));
    std::int64_t segments = 0;
    for (auto _ : state) {
        std::int64_t count = 0;
        auto tally = [&](const Vector&, const Vector&, std::uint32_t) { ++count; };
        double threshold = first_threshold;
        extract_contours(threshold, outer_color, tally);
        threshold = threshold * 2.0;
        extract_contours(threshold, inner_color, tally);
        benchmark::DoNotOptimize(count);
        segments = count;
    }
    state.counters["segments"] = static_cast<double>(segments);
}

void lines_cost(benchmark::State& state) {
    const double t = demo_time(static_cast<std::uint32_t>(state.range(0)));
    fill_field(t);
    std::vector<FoundSegment> segments;
    both_passes(segments);
    Matrix frame_transform;
    build_frame_transform(t, frame_transform);
    PixelFormat format(32, 0xFF0000, 0xFF00, 0xFF, 0);
    OffscreenSurface surface(demo_width, demo_height, format);
    AALine line;
    SegmentPainter painter{frame_transform, surface, line};
    for (auto _ : state)
        for (const FoundSegment& s : segments) painter.draw_segment(s.from, s.to, s.color);
    state.counters["segments"] = static_cast<double>(segments.size());
}

void frame_cost(benchmark::State& state) {
    const auto clock_ms = static_cast<std::uint32_t>(state.range(0));
    PixelFormat format(32, 0xFF0000, 0xFF00, 0xFF, 0);
    OffscreenSurface surface(demo_width, demo_height, format);
    for (auto _ : state) draw_demo_frame(clock_ms, surface);
}

const int registered = [] {
    for (auto* b : {benchmark::RegisterBenchmark("fennick/field", field_cost),
                    benchmark::RegisterBenchmark("fennick/contours", contours_cost),
                    benchmark::RegisterBenchmark("fennick/lines", lines_cost),
                    benchmark::RegisterBenchmark("fennick/frame", frame_cost)})
        b->Arg(0)->Arg(3000)->Arg(123457)->Unit(benchmark::kMicrosecond);
    return 0;
}();

}  // namespace
