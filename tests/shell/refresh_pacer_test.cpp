// The pacer's grid of refreshes: presents that come back at once wait for
// the next refresh, presents that waited for the display (or ran late) do not
// wait again, and a clock that jumps starts the grid afresh.
#include <gtest/gtest.h>

#include "refresh_pacer.h"

TEST(RefreshPacer, WaitsOnlyForPresentsThatCameBackEarly) {
    RefreshPacer pacer;
    constexpr std::uint64_t period = 16;
    EXPECT_EQ(pacer.wait_after_present(1000, period), 0u);  // the first: the grid starts, next at 1016
    EXPECT_EQ(pacer.wait_after_present(1001, period), 15u);  // unpaced: wait for 1016
    EXPECT_EQ(pacer.wait_after_present(1032, period), 0u);  // waited for the display itself: on the grid
    EXPECT_EQ(pacer.wait_after_present(1050, period), 0u);  // a little late: no wait, next at 1064
    EXPECT_EQ(pacer.wait_after_present(1060, period), 4u);
    EXPECT_EQ(pacer.wait_after_present(5000, period), 0u);  // far behind: afresh, next at 5016
    EXPECT_EQ(pacer.wait_after_present(5001, period), 15u);
    EXPECT_EQ(pacer.wait_after_present(100, period), 0u);   // the clock went back: afresh
    EXPECT_EQ(pacer.wait_after_present(110, period), 6u);
    EXPECT_EQ(pacer.wait_after_present(148, period), 0u);   // a whole period past the refresh at 132: afresh
    EXPECT_EQ(pacer.wait_after_present(148, period), 16u);  // back in the same ms: a whole period
}
