#include "core/base/MathUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orlenza {
namespace {

constexpr double k_inf = std::numeric_limits<double>::infinity();
constexpr double k_nan = std::numeric_limits<double>::quiet_NaN();

// A reflection wave written another way: the distance from lo, taken modulo
// the double width, folded back from the top.
double reflected(double x, double lo, double hi) {
  double const p = hi - lo;
  double d = std::fmod(x - lo, 2 * p);
  if (d < 0) d += 2 * p;
  return d <= p ? lo + d : lo + 2 * p - d;
}

TEST(MathUtils, PeriodizeIntoAnIntervalFoldsByReflection) {
  struct Case {
    double x, lo, hi, expected;
  };
  Case const cases[] = {
      {1.25, 0, 1, 0.75},  {-0.25, 0, 1, 0.25}, {0, 0, 1, 0},        {1, 0, 1, 1},
      {3, 0, 1, 1},        {-2, 0, 1, 0},      {7.5, 2, 4, 3.5},    {-3.5, -2, -1, -1.5},
      {5, 1, 1, 5},        // empty interval: unchanged
      {5, 2, 1, 5},        // inverted interval: unchanged
      {1e300, 0, 1, 0},    // far away: every double there is even
      {-5e-324, 0, 1, 0},  // a denormal below the floor reflects onto it
      {5e-324, 0, 1, 5e-324},
  };
  for (auto const& c : cases)
    EXPECT_EQ(MathUtils::periodize(c.x, c.lo, c.hi), c.expected) << c.x << " in [" << c.lo << ", " << c.hi << "]";

  for (int k = -60; k <= 60; ++k) {
    double const x = k / 8.0;
    EXPECT_NEAR(MathUtils::periodize(x, -1, 1.5), reflected(x, -1, 1.5), 1e-12) << x;
  }
}

TEST(MathUtils, PeriodizeIntoAnIntervalIsDefinedForNonFiniteInput) {
  EXPECT_TRUE(std::isnan(MathUtils::periodize(k_nan, 0, 1)));
  EXPECT_EQ(MathUtils::periodize(k_inf, 0, 1), k_inf);
  EXPECT_EQ(MathUtils::periodize(-k_inf, 0, 1), -k_inf);
  EXPECT_EQ(MathUtils::periodize(3, k_nan, 1), 3);
  EXPECT_EQ(MathUtils::periodize(-3, 0, k_inf), -3);
  EXPECT_EQ(MathUtils::periodize(3, -k_inf, 1), 3);
  EXPECT_EQ(MathUtils::periodize(3, -1e308, 1e308), 3);  // width overflows

  // Huge but finite values stay inside the interval, however the products round.
  double const huge[] = {1e17 + 3, 9.007199254740993e15, 1e300, -1e300, 1.7976931348623157e308, -4.5e15 - 0.5};
  for (double x : huge) {
    double const y = MathUtils::periodize(x, 0.1, 0.7);
    EXPECT_GE(y, 0.1) << x;
    EXPECT_LE(y, 0.7) << x;
  }
}

TEST(MathUtils, PeriodizeIntoTheUnitIntervalIsATriangleWave) {
  struct Case {
    double x, expected;
  };
  Case const cases[] = {
      {-1.5, 0.5}, {2.0, 0}, {1, 1}, {3.75, 0.25}, {-1, 1}, {1e300, 0}, {5e-324, 5e-324},
  };
  for (auto const& c : cases) EXPECT_EQ(MathUtils::periodize(c.x), c.expected) << c.x;
  EXPECT_EQ(MathUtils::periodize(-0.0), 0.0);

  for (int k = -80; k <= 80; ++k) {
    double const x = k / 16.0;
    EXPECT_EQ(MathUtils::periodize(x), reflected(std::fabs(x), 0, 1)) << x;
  }

  EXPECT_TRUE(std::isnan(MathUtils::periodize(k_nan)));
  EXPECT_EQ(MathUtils::periodize(k_inf), k_inf);
  EXPECT_EQ(MathUtils::periodize(-k_inf), -k_inf);
}

}  // namespace
}  // namespace orlenza
