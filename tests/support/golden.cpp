#include "golden.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#ifndef PACK_GOLDEN_DIR
#define PACK_GOLDEN_DIR "tests/golden"
#endif

namespace {

bool update_requested() {
    const char* update = std::getenv("PACK_GOLDEN_UPDATE");
    return update && *update == '1';
}

std::string make_folder(const std::string& folder) {
    std::error_code ignored;  // a folder that cannot be made shows up when a picture is saved
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

// The kept picture dimmed to a quarter, every pixel that differs in red.
std::vector<std::uint32_t> difference(const std::vector<std::uint32_t>& kept, const std::uint32_t* actual) {
    std::vector<std::uint32_t> diff(kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i)
        diff[i] = kept[i] == actual[i] ? (kept[i] >> 2) & 0x3F3F3F : 0xFF0000;
    return diff;
}

// Where the pictures of a failed frame went, for the failure message.
std::string keep_failure(const std::string& name, const std::uint32_t* pixels, int width, int height) {
    const std::string folder = make_folder("golden-failures") + "/";
    std::string actual_path, diff_path;
    std::string problem = save_picture(folder + name + "-actual", pixels, width, height, actual_path);
    if (!problem.empty()) return "; the frame could not be saved: " + problem;
    std::string where = "; the frame is in " + actual_path;
    std::vector<std::uint32_t> kept(static_cast<std::size_t>(width) * height);
    if (!read_picture(std::string(PACK_GOLDEN_DIR) + "/" + name + ".png", kept.data(), width, height))
        return where + " (no difference picture: the kept picture cannot be read here)";
    problem = save_picture(folder + name + "-diff", difference(kept, pixels).data(), width, height, diff_path);
    return problem.empty() ? where + ", the difference in " + diff_path : where;
}

}  // namespace

std::uint64_t pixels_hash(const std::uint32_t* pixels, std::size_t count) {
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (std::size_t i = 0; i < count; ++i)
        for (int shift = 0; shift < 32; shift += 8) {
            hash ^= (pixels[i] >> shift) & 0xFFu;
            hash *= 0x100000001B3ull;
        }
    return hash;
}

void check_golden(const std::string& name, const std::uint32_t* pixels, int width, int height,
                  std::uint64_t expected, const std::string& what) {
    const std::uint64_t hash = pixels_hash(pixels, static_cast<std::size_t>(width) * height);
    if (update_requested()) {
        std::string written;
        save_picture(std::string(PACK_GOLDEN_DIR) + "/" + name, pixels, width, height, written);
        std::printf("%s (%s): 0x%016llxull\n", name.c_str(), what.c_str(), static_cast<unsigned long long>(hash));
        return;
    }
    if (hash == expected) return;
    ADD_FAILURE() << name << " (" << what << "): hash 0x" << std::hex << hash << ", expected 0x" << expected
                  << std::dec << keep_failure(name, pixels, width, height);
}
