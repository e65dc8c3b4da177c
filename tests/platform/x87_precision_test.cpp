// The Windows builds compute with the x87, which rounds like an IEEE double
// only at 53-bit precision; the start-up code must have set it.
#include <gtest/gtest.h>

namespace {

TEST(X87Precision, DoublesRoundAsIeeeDoublesFromTheStart) {
    unsigned short control;
    __asm__ volatile("fnstcw %0" : "=m"(control));
    EXPECT_EQ(control & 0x0300, 0x0200) << "x87 control word " << std::hex << control << ": not 53-bit precision";
    // 1 + 2^-53 + 2^-64 lies just above the midpoint of two doubles: one
    // rounding gives 1 + 2^-52; a 64-bit register first drops the 2^-64 and
    // the store then rounds the tie to even, 1.
    volatile double one = 1.0, small = 0x1p-53 + 0x1p-64;
    const volatile double sum = one + small;  // stored: rounded to a double
    EXPECT_EQ(static_cast<double>(sum), 1.0 + 0x1p-52);
}

}  // namespace
