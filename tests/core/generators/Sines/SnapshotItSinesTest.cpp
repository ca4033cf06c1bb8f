#include "core/generators/Sines/SnapshotItSines.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/generators/GeneratorTestSupport.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {
namespace {

using gen_test::textOf;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
using P = ItSinesParameters;

P withValues(std::vector<double> const& values) {
  P p;
  for (unsigned i = 0; i < values.size(); ++i) p.setValue(i, values[i]);
  return p;
}

using SnapshotItSinesTest = gen_test::CoreTest;

TEST_F(SnapshotItSinesTest, ThirteenValuesInGroupOrder) {
  P p;
  EXPECT_EQ(textOf(p), "1 1 0 1 1 1 0 1 1 1 0 1 1000 ");
  // The index order is the groups' field order, which the computator reads by name.
  P numbered = withValues({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  EXPECT_EQ(numbered.xGroup.innerFrequency, 1);
  EXPECT_EQ(numbered.yGroup.weight, 7);
  EXPECT_EQ(numbered.xyGroup.frequency, 8);
  EXPECT_EQ(numbered.amplitude, 12);
  EXPECT_EQ(textOf(numbered), "0 1 2 3 4 5 6 7 8 9 10 11 12 ");
  // Past the thirteen: 0, and nothing is written.
  numbered.setValue(13, 99);
  EXPECT_EQ(numbered.getValue(13), 0);
  EXPECT_EQ(textOf(numbered), "0 1 2 3 4 5 6 7 8 9 10 11 12 ");

  // Equality: every value within 1e-10; NaN equals nothing.
  P near;
  near.xyGroup.phase = 5e-11;
  EXPECT_TRUE(near == P());
  near.xyGroup.phase = 2e-10;
  EXPECT_FALSE(near == P());
  near.xyGroup.phase = kNaN;
  EXPECT_FALSE(near == near);
}

TEST_F(SnapshotItSinesTest, MorphIsLinearInEveryValue) {
  P a, b;
  for (unsigned i = 0; i < 13; ++i) {
    a.setValue(i, i);
    b.setValue(i, 3.0 * i - 7);
  }
  // A quarter of i and three quarters of 3 i - 7.
  P m;
  m.morph(a, b, 0.75);
  for (unsigned i = 0; i < 13; ++i) EXPECT_EQ(m.getValue(i), 2.5 * i - 5.25) << i;
}

}  // namespace
}  // namespace orlenza
