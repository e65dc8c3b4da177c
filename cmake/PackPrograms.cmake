# The pack's programs, declared once. The targets, the tests and the install
# set read the lists below; scripts read them from BUILD/programs.sh, which
# is written here (run.sh and soak.sh from build/native, the end-to-end
# scripts from the build folder they are given).
#
#   PACK_FULLSCREEN_PROGRAMS  the curve effects on the fullscreen framework;
#                             each one's entry file is made from
#                             fullscreen/scene_entry.cpp.in with its scene
#                             frame NAME_frame and description NAME_program
#                             (effects/NAME_scene.h)
#   PACK_GRAPHICS_PROGRAMS    the programs that draw: fennick and the above
#   PACK_PROGRAMS             all of them, in the order ./run.sh shows them

set(PACK_FULLSCREEN_PROGRAMS curves splines splines2)
set(PACK_GRAPHICS_PROGRAMS fennick ${PACK_FULLSCREEN_PROGRAMS})
set(PACK_PROGRAMS ${PACK_GRAPHICS_PROGRAMS} brisklet)

list(JOIN PACK_FULLSCREEN_PROGRAMS " " fullscreen_programs)
list(JOIN PACK_GRAPHICS_PROGRAMS " " graphics_programs)
list(JOIN PACK_PROGRAMS " " all_programs)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/programs.sh CONTENT [=[
# The pack's programs, written by cmake/PackPrograms.cmake; scripts source it.
PACK_FULLSCREEN_PROGRAMS="@fullscreen_programs@"
PACK_GRAPHICS_PROGRAMS="@graphics_programs@"
PACK_PROGRAMS="@all_programs@"
]=] @ONLY)

# pack_program_list(): the library pack_program_list, whose program_list.cpp
# (core/program_list.h) lists the description NAME_program of each graphics
# program in the order above. A name without a description of that name
# fails the link; a test holds the descriptions' names to the list.
function(pack_program_list)
  set(declarations "")
  set(entries "")
  foreach(program ${PACK_GRAPHICS_PROGRAMS})
    string(APPEND declarations "extern const ProgramInfo ${program}_program;\n")
    string(APPEND entries "&${program}_program, ")
  endforeach()
  list(LENGTH PACK_GRAPHICS_PROGRAMS count)
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/program_list.cpp CONTENT [=[
// The pack's graphics programs, written by cmake/PackPrograms.cmake.
#include "program_list.h"

@declarations@
const ProgramInfo* const pack_programs[] = {@entries@};
const int pack_graphics_program_count = @count@;
]=] @ONLY)
  add_library(pack_program_list STATIC ${CMAKE_BINARY_DIR}/program_list.cpp)
  target_link_libraries(pack_program_list PUBLIC metaballs_core pack_effects)
endfunction()
