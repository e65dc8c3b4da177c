// The pack's sine and cosine (trig.h): a Cody-Waite reduction to |r| <= pi/4,
// then Taylor series. A quick evaluation with a proven error bound settles
// most results; the others take the exact reduction and the series in
// double-double.
//
// Every operation is one IEEE double addition, subtraction or multiplication
// of normal numbers (no underflow: tiny arguments return before any
// arithmetic, and the smallest intermediate is above 2^-900), so each rounds
// the same on every build: with SSE2 and WebAssembly by definition, on the
// x87 at 53-bit precision too, since its wider exponent range only matters
// where a double would overflow or underflow. -ffp-contract=off keeps the
// compiler from fusing a multiplication into an addition.
#include "trig.h"

#include <limits>

namespace {

// The unevaluated sum hi + lo, with |lo| <= ulp(hi) / 2.
struct Double2 {
    double hi, lo;
};

// hi + lo == a + b exactly, for any a and b (Knuth's two-sum).
Double2 two_sum(double a, double b) {
    const double s = a + b;
    const double b_part = s - a;
    const double a_part = s - b_part;
    const double e = (a - a_part) + (b - b_part);
    return {s, e};
}

// hi + lo == a + b exactly when |a| >= |b| (Dekker's fast two-sum).
Double2 fast_two_sum(double a, double b) {
    const double s = a + b;
    const double e = b - (s - a);
    return {s, e};
}

// hi + lo == a, each with at most 26 significant bits (Veltkamp's split).
Double2 split(double a) {
    const double t = 134217729.0 * a;  // 2^27 + 1
    const double hi = t - (t - a);
    const double lo = a - hi;
    return {hi, lo};
}

// hi + lo == a * b exactly (Dekker's product: no fused multiply-add needed).
Double2 two_product(double a, double b) {
    const double p = a * b;
    const Double2 as = split(a);
    const Double2 bs = split(b);
    const double e = ((as.hi * bs.hi - p) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo;
    return {p, e};
}

// x * y, within about 2^-104 of it, relative.
Double2 mul(Double2 x, Double2 y) {
    const Double2 p = two_product(x.hi, y.hi);
    const double cross = x.hi * y.lo + x.lo * y.hi;
    return fast_two_sum(p.hi, p.lo + cross);
}

// x + y, within about 2^-104 of it, relative, when little of the two cancels
// (here at most a third of y: in the series |x| <= |y| / 19, at the end
// |x| <= 0.31 |y|).
Double2 add(Double2 x, Double2 y) {
    const Double2 s = two_sum(x.hi, y.hi);
    return fast_two_sum(s.hi, s.lo + (x.lo + y.lo));
}

// x - b, for any b: one rounding, of the low parts' sum.
Double2 subtract(Double2 x, double b) {
    const Double2 s = two_sum(x.hi, -b);
    return two_sum(s.hi, s.lo + x.lo);
}

// --- Argument reduction -----------------------------------------------------
//
// x = k pi/2 + r, k the integer nearest to x * 2/pi (as rounded), so |r| is
// at most pi/4 * (1 + 2^-50). pi/2 = P1 + P2 + P3 + P4 + P5 + e: P1 to P4 are
// pi/2 and the successive remainders rounded to 29 significant bits, P5 the
// last remainder rounded to a double, |e| < 2^-177.
//
// Exactness for 0 <= x <= 0x1.8p24 (the domain): k <= 0x1.8p24 * 2/pi < 2^24,
// an integer of at most 24 bits, so each k * Pi (i = 1..4, 29 bits) has at
// most 53 bits and is exact. x - k P1 is exact too: k = 0 leaves x; for
// k >= 1, x >= pi/4 > 1/2 is a multiple of 2^-53 and k P1 of 2^-28, and
// |x - k P1| <= |r| + k |P2 + P3 + ...| < pi/4 + 2^24 * 2^-29 < 1, so the
// difference is a multiple of 2^-53 below 1: 53 bits. The other terms are
// subtracted in double-double (two-sum, one rounding of the low parts each).
// The only errors left are k * P5 rounded and k * e, below 2^-150 together,
// and the low parts' roundings, each below 2^-53 of a low part: r comes out
// within 2^-104 of itself, relative, or within 2^-150 absolute, whichever is
// larger. The double nearest to a multiple of pi/2 in the domain,
// 0x1.6c6cbc45dc8dep+5 (29 pi/2), is 2^-60.5 from it (tools/trig_check
// hard), so r is always within 2^-89 of itself, relative.

constexpr double domain_limit = 0x1.8p24;
constexpr double two_over_pi = 0x1.45f306dc9c883p-1;
constexpr double round_shift = 0x1.8p52;  // adding it rounds a value below 2^51 to an integer
constexpr double pio2_1 = 0x1.921fb54p+0;
constexpr double pio2_2 = 0x1.10b4612p-30;
constexpr double pio2_3 = -0x1.676733bp-60;
constexpr double pio2_4 = 0x1.701b83ap-92;
constexpr double pio2_5 = -0x1.76b7ed8fbbaccp-122;

struct Reduced {
    Double2 r;     // x - k pi/2
    int quadrant;  // k mod 4
};

// k, the integer nearest to x * 2/pi as rounded, for 0 <= x <= domain_limit.
double quarter_turns(double x) {
    const double shifted = x * two_over_pi + round_shift;
    return shifted - round_shift;
}

// For 0 <= x <= domain_limit.
Reduced reduce(double x) {
    const double k = quarter_turns(x);
    const double p1 = k * pio2_1;  // exact
    const double p2 = k * pio2_2;  // exact
    const double p3 = k * pio2_3;  // exact
    const double p4 = k * pio2_4;  // exact
    const double p5 = k * pio2_5;  // rounded
    const double r0 = x - p1;      // exact
    Double2 r = two_sum(r0, -p2);
    r = subtract(r, p3);
    r = subtract(r, p4);
    r = subtract(r, p5);
    return {r, static_cast<int>(k) & 3};
}

// --- Series on |r| <= pi/4 (a little more) ------------------------------------
//
// sin r = r + r z A(z) and cos r = 1 + z B(z), z = r^2, with the Taylor
// series A(z) = -1/3! + z/5! - ... - z^12/27! and
// B(z) = -1/2! + z/4! - ... + z^13/28!. They alternate with falling terms,
// so each truncation is below the first term left out: r^29/29! < 2^-112 |r|
// for the sine, r^30/30! < 2^-118 for the cosine. The terms below 2^-54 of
// the result (z^7/17! and smaller in A, z^8/18! and smaller in B) are summed
// in double, the rest in double-double with the coefficients 1/n! as
// double-doubles; the result is then within about 2^-100 of the series,
// relative.

constexpr Double2 sin_head[] = {
    // -1/3!, 1/5!, -1/7!, ..., -1/15!
    {-0x1.5555555555555p-3, -0x1.5555555555555p-57}, {0x1.1111111111111p-7, 0x1.1111111111111p-63},
    {-0x1.a01a01a01a01ap-13, -0x1.a01a01a01a01ap-73}, {0x1.71de3a556c734p-19, -0x1.c154f8ddc6cp-73},
    {-0x1.ae64567f544e4p-26, 0x1.c062e06d1f209p-80}, {0x1.6124613a86d09p-33, 0x1.f28e0cc748ebep-87},
    {-0x1.ae7f3e733b81fp-41, -0x1.1d8656b0ee8cbp-97},
};
constexpr double sin_tail[] = {
    // 1/17!, -1/19!, ..., -1/27!
    0x1.952c77030ad4ap-49, -0x1.2f49b46814157p-57, 0x1.71b8ef6dcf572p-66,
    -0x1.761b41316381ap-75, 0x1.3f3ccdd165fa9p-84, -0x1.d1ab1c2dccea3p-94,
};
constexpr Double2 cos_head[] = {
    // -1/2!, 1/4!, -1/6!, ..., 1/16!
    {-0x1p-1, 0.0}, {0x1.5555555555555p-5, 0x1.5555555555555p-59},
    {-0x1.6c16c16c16c17p-10, 0x1.f49f49f49f49fp-65}, {0x1.a01a01a01a01ap-16, 0x1.a01a01a01a01ap-76},
    {-0x1.27e4fb7789f5cp-22, -0x1.cbbc05b4fa99ap-76}, {0x1.1eed8eff8d898p-29, -0x1.2aec959e14c06p-83},
    {-0x1.93974a8c07c9dp-37, -0x1.05d6f8a2efd1fp-92}, {0x1.ae7f3e733b81fp-45, 0x1.1d8656b0ee8cbp-101},
};
constexpr double cos_tail[] = {
    // -1/18!, 1/20!, ..., 1/28!
    -0x1.6827863b97d97p-53, 0x1.e542ba4020225p-62, -0x1.0ce396db7f853p-70,
    0x1.f2cf01972f578p-80, -0x1.88e85fc6a4e5ap-89, 0x1.0a18a2635085dp-98,
};

// The polynomial with coefficients head[0..H) then tail[0..T), at z: the
// tail by Horner in double (with z's high part), the head in double-double.
template <int H, int T>
Double2 series(const Double2 (&head)[H], const double (&tail)[T], Double2 z) {
    double t = tail[T - 1];
    for (int i = T - 2; i >= 0; --i) t = t * z.hi + tail[i];
    Double2 sum{t, 0.0};
    for (int i = H - 1; i >= 0; --i) sum = add(mul(sum, z), head[i]);
    return sum;
}

Double2 square(Double2 r) {
    const Double2 p = two_product(r.hi, r.hi);
    const double cross = 2.0 * r.hi * r.lo;
    return fast_two_sum(p.hi, p.lo + cross);
}

// sin r and cos r in double-double, within about 2^-100 of them, relative.
double accurate_sin_of(Double2 r) {
    const Double2 z = square(r);
    const Double2 rz = mul(r, z);
    return add(mul(rz, series(sin_head, sin_tail, z)), r).hi;
}

double accurate_cos_of(Double2 r) {
    const Double2 z = square(r);
    return add(mul(z, series(cos_head, cos_tail, z)), Double2{1.0, 0.0}).hi;
}

// --- The quick evaluation and its rounding test --------------------------------
//
// Most results are settled by a cheaper evaluation (Ziv's strategy), about
// four times faster: a shorter reduction, the leading terms exact to about
// 2^-100 and the others in double, within a proven bound of the exact value.
// When both ends of hi + lo -+ bound round to the same double, so does the
// exact value (rounding is monotonic); otherwise, for 3 to 4 arguments in
// 100, the exact reduction and the double-double series above decide. The
// bounds count each rounding as 2^-53 of its result; each bound used is at
// least 1.6 times the sum it bounds.

// x - k pi/2 as reduce() finds it, but with P3 + P4 summed in double and P5
// left out: the error is below 2^-88.4 twice plus 2^24 * 2^-121, under 2^-87.
Reduced reduce_quickly(double x) {
    const double k = quarter_turns(x);
    const double r0 = x - k * pio2_1;  // exact, as in reduce()
    const Double2 r = two_sum(r0, -(k * pio2_2));
    const double lo = r.lo - (k * pio2_3 + k * pio2_4);
    return {two_sum(r.hi, lo), static_cast<int>(k) & 3};
}
constexpr double quick_reduction_error = 0x1p-86;

// The polynomial with these coefficients at z, by Horner's rule in double.
template <int N>
double horner(const double (&c)[N], double z) {
    double p = c[N - 1];
    for (int i = N - 2; i >= 0; --i) p = p * z + c[i];
    return p;
}

// The leading bits of a, to nearest (Veltkamp's split): with 2^43 + 1 the
// head has 10 bits, so its fifth power is exact, and |a - head| <= 2^-10 |a|;
// with 2^45 + 1, 8 bits, its fourth power exact, |a - head| <= 2^-8 |a|.
template <int bits>
double head(double a) {
    constexpr double splitter = (bits == 10 ? 0x1p43 : 0x1p45) + 1.0;
    static_assert(bits == 10 || bits == 8, "a 10-bit or an 8-bit head");
    const double t = splitter * a;
    return t - (t - a);
}

// -1/6 and 1/24, each as two short parts and a double: the short parts times
// a 10-bit head's cube (30 bits), or an 8-bit head's fourth power (32), are
// exact.
constexpr double minus_sixth_1 = -0x1.555554p-3;  // 23 bits
constexpr double minus_sixth_2 = -0x1.555554p-27;
constexpr double minus_sixth_3 = -0x1.5555555555555p-51;
constexpr double one_24th_1 = 0x1.55555p-5;  // 21 bits
constexpr double one_24th_2 = 0x1.55555p-27;
constexpr double one_24th_3 = 0x1.5555555555555p-49;
constexpr double minus_sixth = -0x1.5555555555555p-3;  // to nearest
constexpr double one_24th = 0x1.5555555555555p-5;
constexpr double one_120th = 0x1.1111111111111p-7;

// 1/5!, -1/7!, ..., 1/17!: sin r - r + r^3/3! = r^5 Q(r^2), cut where the
// first term left out, r^19/19!, is below 2^-63 |r|.
constexpr double sin_quick_tail[] = {
    0x1.1111111111111p-7,  -0x1.a01a01a01a01ap-13, 0x1.71de3a556c734p-19, -0x1.ae64567f544e4p-26,
    0x1.6124613a86d09p-33, -0x1.ae7f3e733b81fp-41, 0x1.952c77030ad4ap-49,
};
// -1/6!, 1/8!, ..., -1/18!: cos r - 1 + r^2/2! - r^4/4! = r^6 Q(r^2), cut
// where r^20/20! is below 2^-68.
constexpr double cos_quick_tail[] = {
    -0x1.6c16c16c16c17p-10, 0x1.a01a01a01a01ap-16, -0x1.27e4fb7789f5cp-22, 0x1.1eed8eff8d898p-29,
    -0x1.93974a8c07c9dp-37, 0x1.ae7f3e733b81fp-45, -0x1.6827863b97d97p-53,
};

// sin r, with r.hi = h + b, h its 10-bit head:
//   r.hi - r.hi^3/3!: h^3 exact times the parts of -1/6 (two products exact),
//     and r.hi^3 - h^3 = b (3h^2 + b (3h + b)), below 2^-8.4 r.hi^3, in double:
//     within 2^-62.7 |r| in all;
//   r.hi^5 Q(r.hi^2): h^5 exact plus b (5h^4 + ...) in double, then 3.3
//     roundings of a value below 0.0032 |r|: 2^-59.6 |r|;
//   r.lo cos r.hi, with the cosine to 3.3e-4: 2^-64.5 |r|;
//   the low parts summed: one rounding of a value below 0.0033 |r|: 2^-61.3 |r|;
//   the series left out beyond r^17/17!: 2^-63 |r|.
// The sum, over |sin r| >= 0.9 |r|: 2^-58.75 |sin r|; the bound taken: 2^-58.
Double2 quick_sin(Double2 r) {
    const double h = head<10>(r.hi);
    const double b = r.hi - h;
    const double h2 = h * h;
    const double h3 = h2 * h;
    const double h5 = h3 * h2;
    const double cube_rest = b * (3.0 * h2 + b * (3.0 * h + b));  // r.hi^3 - h^3
    const double fifth_rest = b * ((((b + 5.0 * h) * b + 10.0 * h2) * b + 10.0 * h3) * b + 5.0 * h2 * h2);
    const double z = r.hi * r.hi;
    const double rest = (h5 + fifth_rest) * horner(sin_quick_tail, z);
    const double low_cos = r.lo * (1.0 + z * (-0.5 + z * one_24th));  // r.lo cos r.hi
    const Double2 top = fast_two_sum(r.hi, h3 * minus_sixth_1);
    const double cube_low = h3 * minus_sixth_2 + (h3 * minus_sixth_3 + cube_rest * minus_sixth);
    const double low = ((low_cos + cube_low) + top.lo) + rest;
    return fast_two_sum(top.hi, low);
}
constexpr double quick_sin_error = 0x1p-58;

// cos r, with r.hi^2 = z.hi + z.lo exactly (two_product), h the 8-bit head
// of r.hi:
//   1 - r.hi^2/2!: exact as a double-double;
//   r.hi^4/4!: h^4 exact times the parts of 1/24, and r.hi^4 - h^4 (below
//     2^-6 r.hi^4) in double: within 2^-64;
//   r.hi^6 Q(r.hi^2): seven roundings of a value below 3.3e-4: 2^-61.8;
//   -r.lo sin r.hi, with the sine to 2^-14 of it: 2^-66;
//   the low parts summed, the series left out beyond r^18/18!: 2^-63.
// The sum, over cos r >= 0.707: 2^-60.7 cos r; the bound taken: 2^-59.
Double2 quick_cos(Double2 r) {
    const Double2 z = two_product(r.hi, r.hi);
    const double h = head<8>(r.hi);
    const double b = r.hi - h;
    const double h2 = h * h;
    const double h4 = h2 * h2;
    const double fourth_rest = b * (((b + 4.0 * h) * b + 6.0 * h2) * b + 4.0 * h2 * h);  // r.hi^4 - h^4
    const double rest = (z.hi * z.hi * z.hi) * horner(cos_quick_tail, z.hi);
    const double low_sin = r.lo * (r.hi * (1.0 + z.hi * (minus_sixth + z.hi * one_120th)));  // r.lo sin r.hi
    const Double2 half = fast_two_sum(1.0, -0.5 * z.hi);
    const Double2 top = fast_two_sum(half.hi, h4 * one_24th_1);
    const double fourth_low = h4 * one_24th_2 + (h4 * one_24th_3 + fourth_rest * one_24th);
    const double low = ((((half.lo - 0.5 * z.lo) - low_sin) + fourth_low) + top.lo) + rest;
    return fast_two_sum(top.hi, low);
}
constexpr double quick_cos_error = 0x1p-59;

// Whether every value within relative_error |v| + quick_reduction_error of
// v rounds to the same double; if so, that double is `rounded`.
bool settled(Double2 v, double relative_error, double& rounded) {
    const double error = relative_error * (v.hi < 0.0 ? -v.hi : v.hi) + quick_reduction_error;
    const double up = v.hi + (v.lo + error);
    const double down = v.hi + (v.lo - error);
    rounded = up;
    return up == down;
}

// sin x (sine) or cos x (!sine) for 0 <= x <= domain_limit, rounded to the
// nearest double.
double sine_or_cosine(double x, bool sine) {
    const Reduced quick = reduce_quickly(x);
    // sin(x) = sin r, cos r, -sin r, -cos r in quadrants 0 to 3; cos x is
    // sin(x + pi/2), one quadrant on.
    const int quadrant = sine ? quick.quadrant : (quick.quadrant + 1) & 3;
    const bool odd = quadrant & 1;
    double v;
    if (!settled(odd ? quick_cos(quick.r) : quick_sin(quick.r), odd ? quick_cos_error : quick_sin_error, v)) {
        const Double2 r = reduce(x).r;
        v = odd ? accurate_cos_of(r) : accurate_sin_of(r);
    }
    return (quadrant & 2) ? -v : v;
}

constexpr double not_a_number = std::numeric_limits<double>::quiet_NaN();

}  // namespace

double pack_sin(double radians) {
    const double x = radians < 0.0 ? -radians : radians;
    // Below 2^-26, |sin x - x| <= |x|^3 / 6 is under half the gap to x's
    // neighbour towards zero (at least 2^-53 |x|): sin x rounds to x.
    if (x < 0x1p-26) return radians;
    if (!(x <= domain_limit)) return not_a_number;
    const double v = sine_or_cosine(x, true);
    return radians < 0.0 ? -v : v;
}

double pack_cos(double radians) {
    const double x = radians < 0.0 ? -radians : radians;
    // Below 2^-27, 1 - cos x <= x^2 / 2 < 2^-55 is under half the gap below 1.
    if (x < 0x1p-27) return 1.0;
    if (!(x <= domain_limit)) return not_a_number;
    return sine_or_cosine(x, false);
}
