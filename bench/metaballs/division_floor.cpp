// fennick/division_floor: the least work any exact field can do. A frame
// adds three balls to 32,768 samples, and each contribution needs one
// correctly rounded double quotient: 98,304 independent divisions. Here they
// run back to back with the widest SIMD this processor has (AVX-512, AVX2 or
// SSE2), each quotient read from and written to memory as a field would, so
// that fennick/frame can be measured against it.
#include <benchmark/benchmark.h>

#include <immintrin.h>

#include <random>
#include <vector>

namespace {

constexpr int divisions = 3 * 32 * 32 * 32;

__attribute__((target("avx512f"))) void divide_avx512(const double* d, double* q, int n) {
    const __m512d strength = _mm512_set1_pd(1.5);
    for (int i = 0; i < n; i += 8) _mm512_storeu_pd(q + i, _mm512_div_pd(strength, _mm512_loadu_pd(d + i)));
}

__attribute__((target("avx2"))) void divide_avx2(const double* d, double* q, int n) {
    const __m256d strength = _mm256_set1_pd(1.5);
    for (int i = 0; i < n; i += 4) _mm256_storeu_pd(q + i, _mm256_div_pd(strength, _mm256_loadu_pd(d + i)));
}

void divide_sse2(const double* d, double* q, int n) {
    const __m128d strength = _mm_set1_pd(1.5);
    for (int i = 0; i < n; i += 2) _mm_storeu_pd(q + i, _mm_div_pd(strength, _mm_loadu_pd(d + i)));
}

void division_floor(benchmark::State& state) {
    // Denominators like 0.01 + d^2 over the grid.
    std::vector<double> denominators(divisions), quotients(divisions);
    std::mt19937 random(11);
    std::uniform_real_distribution<double> squared_distance(0.0, 3.0 * 40.0 * 40.0);
    for (double& d : denominators) d = 0.01 + squared_distance(random);

    __builtin_cpu_init();
    void (*divide)(const double*, double*, int) = divide_sse2;
    const char* isa = "sse2";
    if (__builtin_cpu_supports("avx512f")) {
        divide = divide_avx512;
        isa = "avx512";
    } else if (__builtin_cpu_supports("avx2")) {
        divide = divide_avx2;
        isa = "avx2";
    }
    for (auto _ : state) {
        divide(denominators.data(), quotients.data(), divisions);
        benchmark::DoNotOptimize(quotients.data());
        benchmark::ClobberMemory();
    }
    state.SetLabel(isa);
    state.SetItemsProcessed(state.iterations() * divisions);
}

const int registered = [] {
    benchmark::RegisterBenchmark("fennick/division_floor", division_floor)->Unit(benchmark::kMicrosecond);
    return 0;
}();

}  // namespace
