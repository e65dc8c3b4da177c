#pragma once
// sin and cos that give the same doubles on every build.
//
// The scenes feed angles of up to about 10^6 radians to these; an x87
// fsin/fcos with its short argument reduction would drift far from the
// correctly reduced result there, so each build binds to an accurate library.

double accurate_sin(double radians);
double accurate_cos(double radians);
