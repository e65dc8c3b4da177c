#include "field.h"

#include <cstring>

float field[field_size][field_size][field_size];

void clear_field() {
    for (int x = 0; x < field_size; ++x)
        for (int y = 0; y < field_size; ++y) std::memset(field[x][y], 0, sizeof field[x][y]);
}

void add_ball(double cx, double cy, double cz, float strength) {
    for (int x = 0; x < field_size; ++x) {
        const double dx = x - cx;
        for (int y = 0; y < field_size; ++y) {
            const double dy = y - cy;
            const double dxy = dx * dx + dy * dy;
            float* row = field[x][y];
            for (int z = 0; z < field_size; ++z) {
                const double dz = z - cz;
                const double d2 = dz * dz + dxy;  // z term first, as the falloff is defined
                row[z] = static_cast<float>(row[z] + strength / (0.01 + d2));
            }
        }
    }
}
