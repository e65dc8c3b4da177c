// Browser build: Emscripten's C library sin and cos (see below when they differ).
#include "accurate_math.h"

#include <cmath>

double accurate_sin(double radians) { return std::sin(radians); }
double accurate_cos(double radians) { return std::cos(radians); }
