# The pack's programs, declared once. The targets, the tests and the install
# set read the lists below; scripts read them from BUILD/programs.sh, which
# is written here (run.sh and soak.sh from build/native, the end-to-end
# scripts from the build folder they are given).
#
#   PACK_FULLSCREEN_PROGRAMS  the curve effects on the fullscreen framework;
#                             each one's entry file is made from
#                             effects/scene_program.cpp.in with its scene
#                             frame NAME_frame and PACK_SUMMARY_NAME
#   PACK_GRAPHICS_PROGRAMS    the programs that draw: fennick and the above
#   PACK_PROGRAMS             all of them, in the order ./run.sh shows them

set(PACK_FULLSCREEN_PROGRAMS curves splines splines2)
set(PACK_GRAPHICS_PROGRAMS fennick ${PACK_FULLSCREEN_PROGRAMS})
set(PACK_PROGRAMS ${PACK_GRAPHICS_PROGRAMS} brisklet)

# What each fullscreen program's --help says it shows (a C++ string as is).
set(PACK_SUMMARY_curves "A growing ring of white antialiased Bezier arcs over a slate-and-brown checkerboard.")
set(PACK_SUMMARY_splines "Six black antialiased arcs on a folding ring over a cream checkerboard, with a counter.")
set(PACK_SUMMARY_splines2 "Black antialiased arcs on a folding ring, their count growing from 4 to 122, with a counter.")

list(JOIN PACK_FULLSCREEN_PROGRAMS " " fullscreen_programs)
list(JOIN PACK_GRAPHICS_PROGRAMS " " graphics_programs)
list(JOIN PACK_PROGRAMS " " all_programs)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/programs.sh CONTENT [=[
# The pack's programs, written by cmake/PackPrograms.cmake; scripts source it.
PACK_FULLSCREEN_PROGRAMS="@fullscreen_programs@"
PACK_GRAPHICS_PROGRAMS="@graphics_programs@"
PACK_PROGRAMS="@all_programs@"
]=] @ONLY)
