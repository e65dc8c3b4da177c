// The build's list of programs (cmake/PackPrograms.cmake) and the programs'
// own descriptions agree: same names, same order; the scenes' shows end at
// the loop's limit of 18000 ticks, fennick's never.
#include <gtest/gtest.h>

#include <iterator>

#include "program_list.h"
#include "ticks.h"

TEST(ProgramList, EachListedNameHasTheDescriptionOfThatName) {
    const char* const listed[] = {PACK_LISTED_NAMES};
    ASSERT_EQ(pack_graphics_program_count, static_cast<int>(std::size(listed)));
    for (int i = 0; i < pack_graphics_program_count; ++i) {
        const ProgramInfo& program = *pack_programs[i];
        EXPECT_STREQ(program.name, listed[i]);
        const bool scene = program.clock == ProgramClock::scene_start;
        EXPECT_EQ(tick_of(program.show_ms), scene ? 18000u : 0u) << program.name;
        EXPECT_EQ(program.width * program.aspect_y == program.height * program.aspect_x, !scene) << program.name;
    }
}
