#include "core/model/GradationColouring.h"

#include "core/base/RandomUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orlenza {
namespace {

constexpr double k_inf = std::numeric_limits<double>::infinity();
constexpr double k_nan = std::numeric_limits<double>::quiet_NaN();

TEST(GradationColouring, WrapOntoTheAxis) {
  struct Case {
    double s, expected;
  };
  Case const cases[] = {
      {1.5, 0.5},   {2.0, 0.0},  {-0.25, 0.75}, {-1.0, 1.0}, {-2.5, 0.5},
      {0.0, 0.0},   {1.0, 1.0},  {1e300, 0.0},  {-1e300, 0.0},  // both sums cancel exactly
      {k_nan, 0.0}, {k_inf, 0.0}, {-k_inf, 0.0},
  };
  for (auto const& c : cases) EXPECT_EQ(wrapOntoAxis(c.s), c.expected) << c.s;
  EXPECT_EQ(wrapOntoAxis(-0.0), 0.0);
}

TEST(GradationColouring, PositionOfANormalizedValue) {
  struct Case {
    double n, floor, ceiling, scale, offset;
    std::int32_t steps;
  };
  Case const cases[] = {
      {0.75, 0, 1, 2, 0, 5000},       // scaled past 1, wrapped
      {1.0, 0, 1, 1, 0.5, 5000},      // offset past 1, wrapped
      {0.0, 0, 1, 1, -1.0, 10000},    // offset to -1 lands on 1
      {1.0, 0, 1, 1, 0, 10000},       // 1 itself is kept
      {0.9, 0.2, 0.6, 1, 0, 6000},    // ceiling
      {0.1, 0.2, 0.6, 1, 0, 2000},    // floor
      {k_nan, 0.2, 0.6, 1, 0, 2000},  // a NaN value takes the floor
      {-k_inf, 0.2, 0.6, 1, 0, 2000},
      {k_inf, 0.2, 0.6, 1, 0, 6000},
      {0.5, 0, 1, k_inf, 0, 0},       // a non-finite position takes 0
      {0.0, 0, 1, k_inf, 0, 0},       // 0 * inf is NaN
      {0.5, 0, 1, 1, k_nan, 0},
      {0.5, 0, 1, 1e300, 0, 0},       // 5e299 wraps to 0
      {1e-7, 0, 1, 1, 0, 0},
      {0.33, 0, 1, 1, 0, 3300},
      {0.999999999, 0, 1, 1, 0, 10000},  // the nearest float is 1
  };
  for (auto const& c : cases) {
    ColouringRule const rule{c.floor, c.ceiling, {c.scale, c.offset}};
    EXPECT_EQ(gradationPositionFor(c.n, rule), KeyframePosition::fromSteps(c.steps))
        << c.n << " in [" << c.floor << ", " << c.ceiling << "] * " << c.scale << " + " << c.offset;
  }
}

TEST(GradationColouring, ColourOfANormalizedValue) {
  Gradation g;
  g.setColor(0.5, k_RGBred);
  ColouringRule const plain;
  EXPECT_EQ(colourForNormalizedValue(1.0, plain, g), k_RGBwhite);
  EXPECT_EQ(colourForNormalizedValue(0.25, plain, g), (RGBColor{32767, 0, 0}));
  EXPECT_EQ(colourForNormalizedValue(k_nan, plain, g), k_RGBblack);
  ColouringRule const doubled{0, 1, {2, 0}};
  EXPECT_EQ(colourForNormalizedValue(0.75, doubled, g), k_RGBred);
}

TEST(GradationColouring, LookupTableAnswersWhatTheGradationAnswers) {
  for (std::uint32_t seed : {3u, 4000000000u}) {
    RandomUtils::seed(seed);
    Gradation g;
    g.randomize();
    GradationLookupTable const table(g);
    for (std::int32_t s = 0; s <= KeyframePosition::k_steps; ++s)
      ASSERT_EQ(table.colourAt(KeyframePosition::fromSteps(s)), g.getColor(KeyframePosition::fromSteps(s))) << s;
    EXPECT_EQ(table.colourAt(KeyframePosition()), g.getColor(KeyframePosition::fromSteps(0)));

    ColouringRule const rule{0.1, 0.9, {1.7, -0.3}};
    double const values[] = {k_nan, k_inf, -k_inf, -1e300, 1e300, 0, -0.0, 0.5, 0.123456789, 0.9, 5e-324};
    for (double n : values) EXPECT_EQ(colourForNormalizedValue(n, rule, table), colourForNormalizedValue(n, rule, g)) << n;
  }
}

}  // namespace
}  // namespace orlenza
