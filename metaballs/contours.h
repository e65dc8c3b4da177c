#pragma once
// Iso-contours of the field, slice by slice: marching squares in each plane
// of constant z, at one threshold per pass.
#include <cstdint>

#include "field.h"
#include "transform.h"

struct ContourSegment {
    Vector from, to;
};

// The segments of the cell with lower corner (x, y) in slice z, in the order
// in which they are drawn; returns how many there are (0, 1 or 2).
//
// A corner is above the threshold when its sample is strictly greater. An
// edge point lies where the linear interpolation of the edge's two samples
// meets the threshold; it is only computed for an edge whose ends lie on
// different sides, so its denominator is never zero.
inline int contour_cell(int x, int y, int z, double threshold, ContourSegment out[2]) {
    const double f00 = field[x][y][z];
    const double f10 = field[x + 1][y][z];
    const double f01 = field[x][y + 1][z];
    const double f11 = field[x + 1][y + 1][z];
    const int code = (f00 > threshold ? 1 : 0) | (f10 > threshold ? 2 : 0) | (f01 > threshold ? 4 : 0) |
                     (f11 > threshold ? 8 : 0);
    if (code == 0 || code == 15) return 0;

    const double gx = x, gy = y, gz = z;
    auto south = [&] { return Vector{gx + (f00 - threshold) / (f00 - f10), gy, gz}; };
    auto west = [&] { return Vector{gx, gy + (f00 - threshold) / (f00 - f01), gz}; };
    auto north = [&] { return Vector{gx + (f01 - threshold) / (f01 - f11), gy + 1.0, gz}; };
    auto east = [&] { return Vector{gx + 1.0, gy + (f10 - threshold) / (f10 - f11), gz}; };

    switch (code) {
    case 1: case 14: out[0] = {south(), west()}; return 1;
    case 2: case 13: out[0] = {south(), east()}; return 1;
    case 3: case 12: out[0] = {west(), east()}; return 1;
    case 4: case 11: out[0] = {north(), west()}; return 1;
    case 5: case 10: out[0] = {south(), north()}; return 1;
    case 7: case 8:  out[0] = {north(), east()}; return 1;
    default:  // 6 and 9: cut off corners c0 and c3, whatever the centre holds
        out[0] = {south(), west()};
        out[1] = {north(), east()};
        return 2;
    }
}

constexpr int contour_slices = field_size - 1;  // planes z = 0 ... 30; z = 31 is never cut
constexpr int contour_cells = field_size - 1;   // cells 0 ... 30 along x and y

// Which samples lie above a threshold: bit z of above[x][y] is set when
// field[x][y][z], read as a double, is strictly greater than the threshold.
using AboveMasks = std::uint32_t[field_size][field_size];

// The plain form, one comparison in double per sample (the reference).
void classify_samples_reference(double threshold, AboveMasks above);
// The same bits by classify_samples_over on the build's layer
// (core/simd_select.h): four samples per comparison with SSE2, else one.
void classify_samples(double threshold, AboveMasks above);
// The largest float that is not above the threshold: for every float
// sample s, (double)s > threshold exactly when s > float_threshold(...).
float float_threshold(double threshold);

// The same bits again, written once over a layer L (core/simd_sse2.h,
// core/simd_scalar.h): L::f32_lanes samples of a grid column per float
// comparison against float_threshold, their results gathered into bits
// z ... z + f32_lanes - 1. field_size is a multiple of every layer's lanes.
template <class L>
void classify_samples_over(double threshold, AboveMasks above) {
    static_assert(field_size % L::f32_lanes == 0, "whole groups of samples");
    const typename L::F32 limit = L::set_f32(float_threshold(threshold));
    for (int x = 0; x < field_size; ++x)
        for (int y = 0; y < field_size; ++y) {
            const float* column = field[x][y];
            std::uint32_t bits = 0;
            for (int z = 0; z < field_size; z += L::f32_lanes)
                bits |= L::greater_mask(L::load_f32(column + z), limit) << z;
            above[x][y] = bits;
        }
}

// One pass over all slices and cells, the plain way: every cell classified
// from its four samples. Kept as the reference of extract_contours.
template <class SegmentSink>
void extract_contours_reference(double threshold, std::uint32_t color, SegmentSink&& sink) {
    ContourSegment found[2];
    for (int y = 0; y < contour_cells; ++y)
        for (int z = 0; z < contour_slices; ++z)
            for (int x = 0; x < contour_cells; ++x) {
                const int count = contour_cell(x, y, z, threshold, found);
                for (int i = 0; i < count; ++i) sink(found[i].from, found[i].to, color);
            }
}

// One pass over all slices and cells: every segment found goes at once to
// sink(from, to, color). Loops from outermost: y, then the slice z, then x.
//
// Most cells have their four corners on one side and draw nothing. The
// samples are classified first, 32 slices of a grid column per word; a cell
// whose corners (x, y), (x+1, y), (x, y+1), (x+1, y+1) of slice z disagree
// has bit z set in (a|b|c|d) & ~(a&b&c&d) of those four words. Only such
// cells go through contour_cell, in the same order as the plain loops, so
// the segments are exactly those of extract_contours_reference.
template <class SegmentSink>
void extract_contours(double threshold, std::uint32_t color, SegmentSink&& sink) {
    AboveMasks above;
    classify_samples(threshold, above);
    constexpr std::uint32_t contoured_slices = (1u << contour_slices) - 1;  // z = 0 ... 30
    ContourSegment found[2];
    for (int y = 0; y < contour_cells; ++y) {
        std::uint32_t cells_of_slice[contour_slices] = {};  // bit x: cell (x, y) of slice z is mixed
        for (int x = 0; x < contour_cells; ++x) {
            const std::uint32_t a = above[x][y], b = above[x + 1][y], c = above[x][y + 1], d = above[x + 1][y + 1];
            for (std::uint32_t mixed = (a | b | c | d) & ~(a & b & c & d) & contoured_slices; mixed;
                 mixed &= mixed - 1)
                cells_of_slice[__builtin_ctz(mixed)] |= 1u << x;
        }
        for (int z = 0; z < contour_slices; ++z)
            for (std::uint32_t cells = cells_of_slice[z]; cells; cells &= cells - 1) {
                const int count = contour_cell(__builtin_ctz(cells), y, z, threshold, found);
                for (int i = 0; i < count; ++i) sink(found[i].from, found[i].to, color);
            }
    }
}
