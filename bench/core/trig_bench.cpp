// Our sin and cos beside the C library's, over the calls of one frame:
//   trig/ours/NAME   core/trig.cpp (pack_sin, pack_cos), as every build's frames call it
//   trig/libm/NAME   the C library's std::sin, std::cos (glibc natively), as the frames did before
// NAME: curves and splines2 at 287,999 ms (37 and 122 arcs), fennick at 40
// clock counts. Each iteration makes the frame's calls once, in its order.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "program_list.h"

double measured_sin(double radians);
double measured_cos(double radians);

namespace {

struct Call {
    double x;
    bool sine;
};

std::vector<Call>* noted = nullptr;  // while a frame is drawn for its calls

double note(double x, bool sine) {
    if (noted) noted->push_back({x, sine});
    return sine ? measured_sin(x) : measured_cos(x);
}

const ProgramInfo& program_named(const char* name) {
    for (int i = 0; i < pack_graphics_program_count; ++i)
        if (std::strcmp(pack_programs[i]->name, name) == 0) return *pack_programs[i];
    std::abort();
}

std::vector<Call> calls_of(const char* name, std::vector<std::uint32_t> times) {
    const ProgramInfo& program = program_named(name);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(program.width) * program.height);
    std::vector<Call> calls;
    noted = &calls;
    for (std::uint32_t ms : times) program.draw(packed_canvas(pixels.data(), program.width, program.height), ms);
    noted = nullptr;
    return calls;
}

template <bool ours>
void run(benchmark::State& state, const std::vector<Call>& calls) {
    for (auto _ : state) {
        double sum = 0.0;
        for (const Call& c : calls)
            sum += ours ? (c.sine ? measured_sin(c.x) : measured_cos(c.x)) : (c.sine ? std::sin(c.x) : std::cos(c.x));
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(calls.size()));
    state.counters["calls"] = static_cast<double>(calls.size());
}

const int registered = [] {
    static const std::vector<Call> curves = calls_of("curves", {287999});
    static const std::vector<Call> splines2 = calls_of("splines2", {287999});
    std::vector<std::uint32_t> clocks;
    for (std::uint32_t i = 0; i < 40; ++i) clocks.push_back(i * 107374183u);  // across the whole count
    static const std::vector<Call> fennick = calls_of("fennick", clocks);
    for (auto* b : {benchmark::RegisterBenchmark("trig/ours/curves", run<true>, curves),
                    benchmark::RegisterBenchmark("trig/libm/curves", run<false>, curves),
                    benchmark::RegisterBenchmark("trig/ours/splines2_122", run<true>, splines2),
                    benchmark::RegisterBenchmark("trig/libm/splines2_122", run<false>, splines2),
                    benchmark::RegisterBenchmark("trig/ours/fennick", run<true>, fennick),
                    benchmark::RegisterBenchmark("trig/libm/fennick", run<false>, fennick)})
        b->Unit(benchmark::kMicrosecond);
    return 0;
}();

}  // namespace

double pack_sin(double radians) { return note(radians, true); }
double pack_cos(double radians) { return note(radians, false); }
