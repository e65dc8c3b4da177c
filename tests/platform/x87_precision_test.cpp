// The Win32 build computes with the x87, which rounds like an IEEE double
// only at 53-bit precision; the start-up code must have set it.
#include <gtest/gtest.h>

#include <float.h>

namespace {

TEST(X87Precision, DoublesRoundAsIeeeDoublesFromTheStart) {
    EXPECT_EQ(_controlfp(0, 0) & _MCW_PC, static_cast<unsigned>(_PC_53));
    // 1 + 2^-53 + 2^-64 lies just above the midpoint of two doubles: one
    // rounding gives 1 + 2^-52; a 64-bit register first drops the 2^-64 and
    // the store then rounds the tie to even, 1.
    volatile double one = 1.0, small = 0x1p-53 + 0x1p-64;
    const volatile double sum = one + small;  // stored: rounded to a double
    EXPECT_EQ(static_cast<double>(sum), 1.0 + 0x1p-52);
}

}  // namespace
