// The counter itself: a test of "no allocation" means nothing unless an
// allocation would have been seen.
#include <gtest/gtest.h>

#include <new>
#include <vector>

#include "counting_new.h"

namespace {

int* volatile kept;  // volatile, so that the new/delete pair is not elided

TEST(CountingNew, SeesEachFormOfNew) {
    EXPECT_EQ(counting_new::during([] {
                  kept = new int(5);
                  delete kept;
              }),
              1u);
    EXPECT_EQ(counting_new::during([] {
                  kept = new int[7];
                  delete[] kept;
              }),
              1u);
    EXPECT_EQ(counting_new::during([] {
                  kept = new (std::nothrow) int(5);
                  delete kept;
              }),
              1u);
    EXPECT_GE(counting_new::during([] {
                  std::vector<double> v(1000);
                  kept = reinterpret_cast<int*>(v.data());
              }),
              1u);
}

}  // namespace
