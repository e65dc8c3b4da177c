// Every program's guides: drawn over the frame its draw made at the same ms,
// only in the two guide colours, which no plain frame ever holds; and where
// the construction puts them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "curves_scene.h"
#include "guide_marks.h"
#include "program_list.h"

namespace {

bool guide_colour(std::uint32_t p) { return p == guide_magenta || p == guide_cyan; }

std::vector<std::uint32_t> plain_frame(const ProgramInfo& program, std::uint32_t ms) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(program.width) * program.height);
    program.draw(packed_canvas(pixels.data(), program.width, program.height), ms);
    return pixels;
}

std::vector<std::uint32_t> guided_frame(const ProgramInfo& program, std::uint32_t ms) {
    std::vector<std::uint32_t> pixels = plain_frame(program, ms);
    program.draw_guides(packed_canvas(pixels.data(), program.width, program.height), ms);
    return pixels;
}

TEST(Guides, GoOverThePlainFrameInColoursItNeverHas) {
    // Flash frames among them (curves 8000, splines2 4800): the ring is there, unseen.
    const std::uint32_t times[] = {0, 4800, 8000, 47999, 150017, 287999, 2147483648u};
    for (int i = 0; i < pack_graphics_program_count; ++i) {
        const ProgramInfo& program = *pack_programs[i];
        ASSERT_NE(program.draw_guides, nullptr) << program.name;
        for (std::uint32_t ms : times) {
            if (program.show_ms && ms >= program.show_ms) continue;
            const std::string at = std::string(program.name) + " at " + std::to_string(ms);
            const std::vector<std::uint32_t> plain = plain_frame(program, ms), guided = guided_frame(program, ms);
            EXPECT_EQ(std::count_if(plain.begin(), plain.end(), guide_colour), 0) << at;
            std::size_t changed = 0;
            for (std::size_t p = 0; p < plain.size(); ++p)
                if (plain[p] != guided[p]) {
                    ++changed;
                    ASSERT_TRUE(guide_colour(guided[p])) << at << ", pixel " << p;
                }
            EXPECT_GT(changed, 100u) << at;
        }
    }
}

TEST(Guides, CurvesRingPointsAtTheStartAreDotsAtTheEllipsesEnds) {
    // At 0 ms the two points are (160, 190) and (160, 10 + 3e-10); the
    // controls and the centre's + sit at (160, 100).
    const std::vector<std::uint32_t> guided = guided_frame(curves_program, 0);
    auto at = [&](int x, int y) { return guided[static_cast<std::size_t>(y) * 320 + x]; };
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            EXPECT_EQ(at(160 + dx, 190 + dy), guide_magenta) << dx << ", " << dy;
            EXPECT_EQ(at(160 + dx, 10 + dy), guide_magenta) << dx << ", " << dy;
        }
    EXPECT_EQ(at(160, 192), curves_flash_color);
    EXPECT_EQ(at(165, 100), guide_magenta);  // the +'s right arm
    EXPECT_EQ(at(166, 100), curves_flash_color);
}

}  // namespace
