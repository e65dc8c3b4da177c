// Native build: the C library's sin and cos are accurately reduced.
#include "accurate_math.h"

#include <cmath>

double accurate_sin(double radians) { return std::sin(radians); }
double accurate_cos(double radians) { return std::cos(radians); }
