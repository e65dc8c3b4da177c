#pragma once
// The metaballs sampled on a 32x32x32 grid of floats.

constexpr int field_size = 32;  // samples per axis; grid coordinates 0 ... 31

// field[x][y][z]: z varies fastest, so sample (x, y, z) is element
// x*1024 + y*32 + z of the flat array.
extern float field[field_size][field_size][field_size];

// Sets every sample to 0.
void clear_field();

// Adds strength / (0.01 + d^2) to every sample, d the distance from the
// sample's grid point to (cx, cy, cz); summed in double, stored as float.
void add_ball(double cx, double cy, double cz, float strength);
