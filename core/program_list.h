#pragma once
// The pack's graphics programs, in the order of the build's list
// (cmake/PackPrograms.cmake), which writes program_list.cpp.
#include "program.h"

extern const ProgramInfo* const pack_programs[];
extern const int pack_graphics_program_count;
