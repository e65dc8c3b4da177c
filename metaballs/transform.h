#pragma once
// The demo's 3D geometry: points and affine transforms, all in doubles.

struct Vector {
    double x, y, z;
};

// An affine transform: a 3x3 linear part and a translation. A point p maps to
// p' with p'_i = r_i0*x + r_i1*y + r_i2*z + t_i (column vectors: row i of the
// linear part makes component i).
class Matrix {
public:
    Matrix() { set_identity(); }
    virtual ~Matrix() = default;

    // Each set operation overwrites all twelve values.
    void set_identity();
    void set_translation(const Vector& v);
    void set_rotation_x(double angle);  // radians
    void set_rotation_y(double angle);
    void set_rotation_z(double angle);

    // Becomes "this, then other": linear part other.R * R, translation
    // other.R * t + other.t. `other` may be this matrix itself.
    void compose(const Matrix& other);

    Vector transform_point(const Vector& p) const;

    double r00, r01, r02, r10, r11, r12, r20, r21, r22;
    double t0, t1, t2;
};
