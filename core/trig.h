#pragma once
// The pack's own sine and cosine, for every frame on every build.
//
// Only IEEE double additions, subtractions and multiplications, in the order
// written (no fused multiply-add, no long double, no table, no library
// maths): SSE2, WebAssembly and the x87 at 53-bit precision compute the same
// doubles. The argument is reduced exactly and the result evaluated in
// double-double where a quicker evaluation cannot settle it, so it is the
// correctly rounded sine or cosine but for vanishingly rare arguments: those
// whose result lies within 2^-100 of a rounding boundary, relative to it
// (2^-89 for the arguments nearest to a multiple of pi/2).
//
// Domain: |radians| <= 0x1.8p24 (25,165,824), where the reduction is exact.
// The programs' angles stay below 9.1e6 (fennick's fastest rate, 6.33, times
// its largest time, 2^32 / 3000). Outside the domain, and for infinities and
// NaN, the result is NaN.

double pack_sin(double radians);
double pack_cos(double radians);
