#include "transform.h"

#include "trig.h"

void Matrix::set_identity() {
    r00 = 1.0, r01 = 0.0, r02 = 0.0;
    r10 = 0.0, r11 = 1.0, r12 = 0.0;
    r20 = 0.0, r21 = 0.0, r22 = 1.0;
    t0 = t1 = t2 = 0.0;
}

void Matrix::set_translation(const Vector& v) {
    set_identity();
    t0 = v.x;
    t1 = v.y;
    t2 = v.z;
}

// Rows (1, 0, 0), (0, c, s), (0, -s, c).
void Matrix::set_rotation_x(double angle) {
    const double c = pack_cos(angle), s = pack_sin(angle);
    set_identity();
    r11 = c, r12 = s;
    r21 = -s, r22 = c;
}

// Rows (c, 0, -s), (0, 1, 0), (s, 0, c).
void Matrix::set_rotation_y(double angle) {
    const double c = pack_cos(angle), s = pack_sin(angle);
    set_identity();
    r00 = c, r02 = -s;
    r20 = s, r22 = c;
}

// Rows (c, s, 0), (-s, c, 0), (0, 0, 1).
void Matrix::set_rotation_z(double angle) {
    const double c = pack_cos(angle), s = pack_sin(angle);
    set_identity();
    r00 = c, r01 = s;
    r10 = -s, r11 = c;
}

void Matrix::compose(const Matrix& o) {
    // Everything is read before anything is stored: `o` may be *this.
    const double n00 = o.r00 * r00 + o.r01 * r10 + o.r02 * r20;
    const double n01 = o.r00 * r01 + o.r01 * r11 + o.r02 * r21;
    const double n02 = o.r00 * r02 + o.r01 * r12 + o.r02 * r22;
    const double n10 = o.r10 * r00 + o.r11 * r10 + o.r12 * r20;
    const double n11 = o.r10 * r01 + o.r11 * r11 + o.r12 * r21;
    const double n12 = o.r10 * r02 + o.r11 * r12 + o.r12 * r22;
    const double n20 = o.r20 * r00 + o.r21 * r10 + o.r22 * r20;
    const double n21 = o.r20 * r01 + o.r21 * r11 + o.r22 * r21;
    const double n22 = o.r20 * r02 + o.r21 * r12 + o.r22 * r22;
    const double m0 = o.r00 * t0 + o.r01 * t1 + o.r02 * t2 + o.t0;
    const double m1 = o.r10 * t0 + o.r11 * t1 + o.r12 * t2 + o.t1;
    const double m2 = o.r20 * t0 + o.r21 * t1 + o.r22 * t2 + o.t2;
    r00 = n00, r01 = n01, r02 = n02;
    r10 = n10, r11 = n11, r12 = n12;
    r20 = n20, r21 = n21, r22 = n22;
    t0 = m0, t1 = m1, t2 = m2;
}

Vector Matrix::transform_point(const Vector& p) const {
    return {r00 * p.x + r01 * p.y + r02 * p.z + t0,  //
            r10 * p.x + r11 * p.y + r12 * p.z + t1,  //
            r20 * p.x + r21 * p.y + r22 * p.z + t2};
}
