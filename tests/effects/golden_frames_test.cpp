// Golden frames of the three programs by hash; the same hashes hold on the
// native and the Win32 build (tests/support/golden.h: update mode, pictures).
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "effects_test_support.h"
#include "golden.h"
#include "curves_scene.h"
#include "scene_frames.h"
#include "splines2_scene.h"
#include "splines_scene.h"

namespace {

struct Golden {
    const char* program;
    const SceneFrame* frame;
    std::uint32_t ms;
    std::uint64_t hash;
    const char* what;
};

const Golden goldens[] = {
    {"curves", &curves_frame, 0, 0xa077d03ff2b3b325ull, "flash at the start"},
    {"curves", &curves_frame, 8000, 0xa077d03ff2b3b325ull, "flash when N steps to 3"},
    {"curves", &curves_frame, 41000, 0x42ec441871081da7ull, "N = 7"},
    {"curves", &curves_frame, 150017, 0xac28cc3eb3d85835ull, "N = 20, controls swung out"},
    {"curves", &curves_frame, 287999, 0xcbe388200ab0f534ull, "N = 37, the last tick"},
    {"splines", &splines_frame, 0, 0x6373c67be09dfa08ull, "ring collapsed to the centre"},
    {"splines", &splines_frame, 5000, 0xb5771848ba0fb40eull, "open ring"},
    {"splines", &splines_frame, 123456, 0xc82a24d7593a7bf1ull, "mid run"},
    {"splines2", &splines2_frame, 0, 0x78668381c345fb25ull, "flash at the start"},
    {"splines2", &splines2_frame, 4800, 0x78668381c345fb25ull, "flash when N steps to 6"},
    {"splines2", &splines2_frame, 10000, 0x870f91e4a4b6bfb7ull, "N = 8"},
    {"splines2", &splines2_frame, 200000, 0x2fc65f710a9c8015ull, "N = 86"},
    {"splines2", &splines2_frame, 287999, 0x6d2849a803dfe43full, "N = 122, late in the run"},
};

void PrintTo(const Golden& g, std::ostream* os) { *os << g.program << " at " << g.ms << " ms"; }

class GoldenFrames : public ::testing::TestWithParam<Golden> {};

TEST_P(GoldenFrames, MatchesItsHash) {
    const Golden& g = GetParam();
    GuardedFrame f;
    draw_scene_frame_at(*g.frame, f.canvas(), g.ms);
    ASSERT_TRUE(f.guards_intact());
    check_golden(std::string(g.program) + "-" + std::to_string(g.ms), f.pixels(), frame_width, frame_height, g.hash,
                 g.what);
}

std::string golden_name(const ::testing::TestParamInfo<Golden>& info) {
    return std::string(info.param.program) + "_" + std::to_string(info.param.ms);
}

INSTANTIATE_TEST_SUITE_P(Programs, GoldenFrames, ::testing::ValuesIn(goldens), golden_name);

}  // namespace
