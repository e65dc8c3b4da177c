// Classifying the field's samples against a threshold, as bit masks.
#include <cmath>

#include "contours.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

#if defined(__SSE2__)
// Four samples per comparison, their sign bits gathered by movemask.
void classify_samples(double threshold, AboveMasks above) {
    const __m128 limit = _mm_set1_ps(float_threshold(threshold));
    for (int x = 0; x < field_size; ++x)
        for (int y = 0; y < field_size; ++y) {
            const float* row = field[x][y];
            std::uint32_t bits = 0;
            for (int z = 0; z < field_size; z += 4)
                bits |= static_cast<std::uint32_t>(_mm_movemask_ps(_mm_cmpgt_ps(_mm_loadu_ps(row + z), limit))) << z;
            above[x][y] = bits;
        }
}
#else
// One float comparison per sample against the float threshold.
void classify_samples(double threshold, AboveMasks above) {
    const float limit = float_threshold(threshold);
    for (int x = 0; x < field_size; ++x)
        for (int y = 0; y < field_size; ++y) {
            std::uint32_t bits = 0;
            for (int z = 0; z < field_size; ++z)
                if (field[x][y][z] > limit) bits |= 1u << z;
            above[x][y] = bits;
        }
}
#endif
