// trig_hash: one hash of pack_sin and pack_cos at N arguments spread over
// the domain (|x| up to 0x1.8p24, every binade from 2^-30 and both signs),
// to hold the builds' doubles side by side. Built by hand, not by CMake:
//
//   g++ -O2 -ffp-contract=off -Icore tools/trig_check/trig_hash.cpp core/trig.cpp -o trig_hash
//   x86_64-w64-mingw32-g++ -O2 -ffp-contract=off -mfpmath=387 -static -Icore
//       tools/trig_check/trig_hash.cpp core/trig.cpp platform/x87_start_win64.cpp -o trig_hash.exe
//   em++ -O2 -ffp-contract=off -msimd128 -fno-slp-vectorize -sSINGLE_FILE=1 -Icore
//       tools/trig_check/trig_hash.cpp core/trig.cpp -o trig_hash.js
//
// then `./trig_hash N`, `wine64 trig_hash.exe N`, `node trig_hash.js N`: the
// same N must print the same hash.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "trig.h"

int main(int argc, char** argv) {
    const std::uint64_t n = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 10000000;
    std::uint64_t state = 0x9E3779B97F4A7C15u, hash = 0xCBF29CE484222325u;  // FNV-1a over the results' bits
    for (std::uint64_t i = 0; i < n; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        // A mantissa and an exponent from 2^-30 to 2^24, scaled to stay in the domain.
        const std::uint64_t exponent = 1023 - 30 + (state >> 58) % 55;
        const std::uint64_t bits = ((state >> 6) & 0xFFFFFFFFFFFFFu) | exponent << 52;
        double x;
        std::memcpy(&x, &bits, sizeof x);
        if (x > 0x1.8p24) x *= 0.5;
        if (state & 1) x = -x;
        for (const double v : {pack_sin(x), pack_cos(x)}) {
            std::uint64_t b;
            std::memcpy(&b, &v, sizeof b);
            for (int k = 0; k < 8; ++k) hash = (hash ^ ((b >> (8 * k)) & 0xFF)) * 0x100000001B3u;
        }
    }
    std::printf("%" PRIu64 " arguments: %016" PRIx64 "\n", n, hash);
    return 0;
}
