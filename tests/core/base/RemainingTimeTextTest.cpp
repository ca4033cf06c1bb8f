#include "core/base/RemainingTimeText.h"

#include <gtest/gtest.h>

#include <limits>

namespace orlenza {
namespace {

TEST(RemainingTimeTextTest, RoundsToMinutesFromThirtyOneSeconds) {
  EXPECT_EQ(remainingTimeText(-1), " ");
  EXPECT_EQ(remainingTimeText(0), "less than a minute ");
  EXPECT_EQ(remainingTimeText(59), "less than a minute ");
  EXPECT_EQ(remainingTimeText(60), "about 1 minute ");
  EXPECT_EQ(remainingTimeText(90), "about 1 minute ");
  EXPECT_EQ(remainingTimeText(91), "about 2 minutes ");
  EXPECT_EQ(remainingTimeText(3600), "about 1 hour ");
  EXPECT_EQ(remainingTimeText(14380), "about 3 hours 60 minutes ");
}

TEST(RemainingTimeTextTest, EstimateAveragesTheFramesMade) {
  EXPECT_EQ(estimateRemainingSeconds(5.0, 0, 10), -1);
  EXPECT_EQ(estimateRemainingSeconds(10.0, 2, 10), 26);  // 10 / 3 frames * 8 to come
  EXPECT_EQ(estimateRemainingSeconds(1.0, 36, 300), 7);  // quick frames are seconds, not minutes
  EXPECT_EQ(estimateRemainingSeconds(3.0, 9, 10), 0);
  EXPECT_EQ(estimateRemainingSeconds(std::numeric_limits<double>::quiet_NaN(), 2, 10), 0);
  EXPECT_GT(estimateRemainingSeconds(1e300, 1, 1000000), 0);
}

}  // namespace
}  // namespace orlenza
