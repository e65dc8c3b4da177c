// Browser build: Emscripten's C library sin and cos. At every frame the page's
// tests compare with the native build (fennick's largest clock counts among
// them) they give glibc's doubles; should a frame ever differ, this file is
// where the browser gets a pair of its own.
#include "accurate_math.h"

#include <cmath>

double accurate_sin(double radians) { return std::sin(radians); }
double accurate_cos(double radians) { return std::cos(radians); }
