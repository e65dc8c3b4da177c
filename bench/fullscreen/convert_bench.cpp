// One 320x200 frame through each converter (200 calls of 320 pixels, as a
// present makes them), beside a plain memcpy of the frame's bytes and SDL2's
// SDL_ConvertPixels from XRGB8888 into the matching SDL format.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "converter_forms.h"

namespace {

constexpr int width = 320, height = 200;

const std::vector<std::uint32_t>& frame() {
    static const std::vector<std::uint32_t> pixels = [] {
        std::vector<std::uint32_t> p(width * height);
        std::mt19937 random(7);
        for (auto& v : p) v = random() & 0x00FFFFFF;
        return p;
    }();
    return pixels;
}

// Destination rows at a pitch of 1280 bytes plus a little, as a locked
// surface would have them.
constexpr int pitch = width * 4 + 64;

void convert_frame(benchmark::State& state, RowConverter convert, int bytes_per_pixel) {
    const auto& source = frame();
    std::vector<std::uint8_t> surface(static_cast<std::size_t>(pitch) * height);
    for (auto _ : state) {
        for (int r = 0; r < height; ++r) convert(source.data() + r * width, surface.data() + r * pitch, width);
        benchmark::DoNotOptimize(surface.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * width * height * bytes_per_pixel);
}

void memcpy_source(benchmark::State& state) {
    const auto& source = frame();
    std::vector<std::uint8_t> surface(static_cast<std::size_t>(pitch) * height);
    for (auto _ : state) {
        for (int r = 0; r < height; ++r) std::memcpy(surface.data() + r * pitch, source.data() + r * width, width * 4);
        benchmark::DoNotOptimize(surface.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * width * height * 4);
}

// The whole frame in one SDL_ConvertPixels call, source and destination
// pitches as above.
void sdl_convert_frame(benchmark::State& state, std::uint32_t sdl_format, int bytes_per_pixel) {
    const auto& source = frame();
    std::vector<std::uint8_t> surface(static_cast<std::size_t>(pitch) * height);
    for (auto _ : state) {
        if (SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_RGB888, source.data(), width * 4, sdl_format,
                              surface.data(), pitch) != 0) {
            state.SkipWithError(SDL_GetError());
            break;
        }
        benchmark::DoNotOptimize(surface.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * width * height * bytes_per_pixel);
}

// SDL's format for the same masks (SDL's RGB888 is 0x00RRGGBB in a 32-bit
// word, as our frame buffer).
std::uint32_t sdl_format_of(const ConverterForms& c) {
    return SDL_MasksToPixelFormatEnum(static_cast<int>(c.bit_count), c.red_mask, c.green_mask, c.blue_mask, 0);
}

// convert/<name> is the converter the programs use; convert/<name>/<isa>
// each form this processor can run, the scalar reference among them.
const bool registered = [] {
    benchmark::RegisterBenchmark("convert/memcpy_source", memcpy_source);
    for (int i = 0; i < converter_count; ++i) {
        const ConverterForms& c = converter_forms()[i];
        benchmark::RegisterBenchmark((std::string("convert/") + c.name).c_str(), convert_frame, c.published,
                                     c.bytes_per_pixel);
        for (const ConverterForm& form : c.forms) {
            if (!form.isa) break;
            benchmark::RegisterBenchmark((std::string("convert/") + c.name + "/" + form.isa).c_str(), convert_frame,
                                         form.convert, c.bytes_per_pixel);
        }
    }
    for (int i = 0; i < converter_count; ++i) {
        const ConverterForms& c = converter_forms()[i];
        benchmark::RegisterBenchmark((std::string("convert/sdl/") + c.name).c_str(), sdl_convert_frame,
                                     sdl_format_of(c), c.bytes_per_pixel);
    }
    return true;
}();

}  // namespace
