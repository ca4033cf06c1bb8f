#include "core/model/KeyframePosition.h"

#include "core/base/TextIO.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>

namespace orlenza {
namespace {

TEST(KeyframePosition, ConvertsByTruncationInSinglePrecision) {
  struct Case {
    double v;
    std::int32_t steps;
  };
  Case const cases[] = {
      {0.33, 3300}, {1.0, 10000}, {-0.0, 0},   {0.7, 7000},  {0.0001, 1},
      {0.00005, 0}, {0.99995, 9999}, {0.0007, 6},
      {1.00000001, 10000},  // rounds to the float 1
      {-1e-50, 0},          // rounds to the float -0
  };
  for (auto const& c : cases) {
    KeyframePosition const p(c.v);
    EXPECT_TRUE(p.isValid()) << c.v;
    EXPECT_EQ(p.getSteps(), c.steps) << c.v;
  }

  double const outside[] = {-0.0001, 1.0001, -1e300, std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN()};
  for (double v : outside) {
    KeyframePosition const p(v);
    EXPECT_FALSE(p.isValid()) << v;
    EXPECT_EQ(p, KeyframePosition()) << v;
  }
}

TEST(KeyframePosition, ValuesStepsAndOrder) {
  EXPECT_EQ(KeyframePosition().getValue(), -0.0001f);
  EXPECT_EQ(KeyframePosition::fromSteps(3300).getValue(), 0.33f);

  EXPECT_FALSE(KeyframePosition::fromSteps(10001).isValid());
  EXPECT_FALSE(KeyframePosition::fromSteps(-2).isValid());
  EXPECT_LT(KeyframePosition::fromSteps(3), KeyframePosition::fromSteps(4));
  EXPECT_LT(KeyframePosition(), KeyframePosition::fromSteps(0));
  // Two floats that truncate to the same step are the same key.
  EXPECT_EQ(KeyframePosition(0.33333), KeyframePosition(0.33334));
}

TEST(KeyframePosition, TextRoundTripLosesAStepExactlyWhereTruncationSaysSo) {
  // Written as getValue() with 12 digits and read back through the float
  // constructor, 570 of the 10001 steps come back one lower (counted with an
  // independent single-precision model of both conversions).
  int lost = 0;
  for (std::int32_t s = 0; s <= KeyframePosition::k_steps; ++s) {
    std::stringstream text;
    text::writeDouble(text, KeyframePosition::fromSteps(s).getValue());
    double value = -1;
    text::readDouble(text, value);
    ASSERT_TRUE(text) << s;
    std::int32_t const back = KeyframePosition(value).getSteps();
    ASSERT_TRUE(back == s || back == s - 1) << s << " came back as " << back;
    if (back != s) ++lost;
  }
  EXPECT_EQ(lost, 570);

  std::stringstream seven;
  text::writeDouble(seven, KeyframePosition::fromSteps(7).getValue());
  EXPECT_EQ(seven.str(), "0.000699999975041 ");
}

}  // namespace
}  // namespace orlenza
