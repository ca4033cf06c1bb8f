#include "core/generators/Perlin/SnapshotPerlin.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include "core/generators/GeneratorTestSupport.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {
namespace {

using gen_test::textOf;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
using P = PerlinParameters;

bool read(std::string const& text, P& p) {
  std::istringstream is(text);
  p.inputParameters(is);
  return !is.fail();
}

P sample() {
  P p;
  EXPECT_TRUE(read("8 0.9 0.05 7 0.35 0.8 3 1 250 4 2 ", p));
  return p;
}

TEST(SnapshotPerlinTest, TextFormRoundTripsAndReadsValuesAsTheyStand) {
  EXPECT_EQ(textOf(P()), "5 0.5 0.2 4 0.7 0.5 5 0.6 1000 0 0 ");
  P odd = sample();
  odd.scaleB = 1.0 / 3;
  odd.persistenceA = kNaN;
  P back;
  ASSERT_TRUE(read(textOf(odd), back));
  EXPECT_EQ(textOf(back), textOf(odd));
  EXPECT_TRUE(std::isnan(back.persistenceA));

  // Outside the pane's ranges, as read; integers past int pinned to its ends.
  P wild;
  ASSERT_TRUE(read("20 1.5 0 -3 -2 1e300 99999999999 7 -5 9 -1 ", wild));
  EXPECT_EQ(textOf(wild), "20 1.5 0 -3 -2 1e+300 2147483647 7 -5 9 -1 ");
  ASSERT_TRUE(read("-99999999999 0.5 0.2 4 0.7 0.5 5 0.6 1000 0 0", wild));
  EXPECT_EQ(wild.octavesA, INT_MIN);

  // A bad or missing token changes nothing.
  for (char const* bad : {"5 0.5 0.2 4 0.7 0.5 5 0.6 1000 0", "5.5 0.5 0.2 4 0.7 0.5 5 0.6 1000 0 0", ""}) {
    P p = sample();
    EXPECT_FALSE(read(bad, p)) << bad;
    EXPECT_TRUE(p == sample()) << bad;
  }
}

TEST(SnapshotPerlinTest, ForceValidClampsWhatThePaneWrites) {
  P p;
  ASSERT_TRUE(read("20 1.5 inf 0 -0.1 -7 -2147483648 nan -250 9 -1 ", p));
  p.forceValid();
  // A negative scale mirrors its layer and is kept; NaN and inf take the defaults.
  EXPECT_EQ(textOf(p), "12 1 0.2 1 0 -7 1 0.6 250 9 -1 ");
  p.amplitude = kNaN;
  p.forceValid();
  EXPECT_EQ(p.amplitude, 1000);
  P valid = sample();
  valid.forceValid();
  EXPECT_TRUE(valid == sample());
}

TEST(SnapshotPerlinTest, EqualityAndMorph) {
  registerCoreFamilies();
  P near = sample();
  near.scaleB += 5e-11;
  near.amplitude -= 5e-11;
  EXPECT_TRUE(near == sample());
  near.persistenceC += 1e-9;
  EXPECT_FALSE(near == sample());

  P const a;  // octavesA 5, combination 0, shaping 0
  P const b = sample();
  P m;
  m.morph(a, b, 0.5);
  EXPECT_EQ(textOf(m), "6 0.7 0.125 5 0.525 0.65 4 0.8 625 0 0 ");  // counts 6.5, 5.5, 4 truncated
  m.morph(a, b, 0);
  EXPECT_TRUE(m == a);
  m.morph(a, b, 0.999);
  EXPECT_EQ(m.combination, 0);
  EXPECT_EQ(m.octavesA, 7);  // 7.997
  m.morph(a, b, 1 - 5e-11);
  EXPECT_EQ(m.combination, 4);
  m.morph(a, b, 1);
  EXPECT_TRUE(m == b);
  // Counts far outside int and a NaN t never convert out of range.
  P huge = b;
  huge.octavesA = INT_MAX;
  m.morph(huge, a, -3);
  EXPECT_EQ(m.octavesA, INT_MAX);
  m.morph(huge, a, kNaN);
  EXPECT_EQ(m.octavesA, INT_MAX);

}

}  // namespace
}  // namespace orlenza
