// Windows builds: mingw-w64's static sin/cos use the x87 fsin/fcos
// instructions, whose argument reduction fails at large angles. The system C
// runtime's own functions (msvcrt.dll) are accurate, so call them through
// their import pointers rather than the statically linked ones. A pointer's
// assembler name is "__imp_" and the function's own symbol, which carries the
// target's C prefix ("_sin" on i686, "sin" on x86-64).
#include "accurate_math.h"

#define PACK_SYMBOL_TEXT(x) #x
#define PACK_SYMBOL(prefix, name) "__imp_" PACK_SYMBOL_TEXT(prefix) name
#define PACK_IMPORT(name) PACK_SYMBOL(__USER_LABEL_PREFIX__, name)

extern "C" {
extern double(__cdecl* msvcrt_sin)(double) __asm__(PACK_IMPORT("sin"));
extern double(__cdecl* msvcrt_cos)(double) __asm__(PACK_IMPORT("cos"));
}

double accurate_sin(double radians) { return msvcrt_sin(radians); }
double accurate_cos(double radians) { return msvcrt_cos(radians); }
