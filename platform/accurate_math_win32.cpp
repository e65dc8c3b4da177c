// Win32 build: mingw-w64's static sin/cos use the x87 fsin/fcos instructions,
// whose argument reduction fails at large angles. The system C runtime's own
// functions (msvcrt.dll) are accurate, so call them through their import
// pointers rather than the statically linked ones.
#include "accurate_math.h"

extern "C" {
extern double(__cdecl* _imp__sin)(double);
extern double(__cdecl* _imp__cos)(double);
}

double accurate_sin(double radians) { return _imp__sin(radians); }
double accurate_cos(double radians) { return _imp__cos(radians); }
