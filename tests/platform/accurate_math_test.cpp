#include "accurate_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

std::int64_t ulps_apart(double a, double b) {
    std::int64_t ia, ib;
    std::memcpy(&ia, &a, sizeof a);
    std::memcpy(&ib, &b, sizeof b);
    return ia > ib ? ia - ib : ib - ia;
}

struct Reference {
    double angle, sin, cos;  // correctly reduced results
};

// Angles as large as the scenes reach after days of clock count, where a
// poorly reduced fsin/fcos is off by hundreds of thousands of ULP.
const Reference large_angles[] = {
    {0x1.e240c9fbe76c9p+16, -0x1.ff50e60ab53f9p-1, 0x1.a74d27c41b22ap-5},
    {0x1.5d867c3958106p+19, -0x1.22c5137ce7db2p-2, -0x1.eaecc431ae2e6p-1},
    {0x1.e848100000000p+19, 0x1.22b9252dc614dp-3, 0x1.fad0a779be88ep-1},
    {0x1.148fd9fd36f7ep+22, 0x1.7e7e3be43e53bp-1, -0x1.545b71d377192p-1},
};

}  // namespace

TEST(AccurateMath, LargeAnglesStayWithinOneUlpOfTheCorrectlyReducedResult) {
    for (const Reference& r : large_angles) {
        EXPECT_LE(ulps_apart(accurate_sin(r.angle), r.sin), 1) << std::hexfloat << r.angle;
        EXPECT_LE(ulps_apart(accurate_cos(r.angle), r.cos), 1) << std::hexfloat << r.angle;
    }
}

TEST(AccurateMath, ZeroAngleIsExact) {
    EXPECT_EQ(accurate_sin(0.0), 0.0);
    EXPECT_EQ(accurate_cos(0.0), 1.0);
}
