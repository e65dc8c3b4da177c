// Classifying the field's samples against a threshold, as bit masks: the
// reference in doubles, and the float comparisons over the build's layer.
#include <cmath>

#include "contours.h"
#include "simd_select.h"

float float_threshold(double threshold) {
    // A float above the largest float f <= threshold is at least the next
    // float after f, which is above the threshold; one at or below f is not.
    float f = static_cast<float>(threshold);
    if (static_cast<double>(f) > threshold) f = std::nextafter(f, -INFINITY);
    return f;
}

void classify_samples_reference(double threshold, AboveMasks above) {
    for (int x = 0; x < field_size; ++x)
        for (int y = 0; y < field_size; ++y) {
            std::uint32_t bits = 0;
            for (int z = 0; z < field_size; ++z)
                if (static_cast<double>(field[x][y][z]) > threshold) bits |= 1u << z;
            above[x][y] = bits;
        }
}

void classify_samples(double threshold, AboveMasks above) { classify_samples_over<simd::Vector>(threshold, above); }
