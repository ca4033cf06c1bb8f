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

TEST_F(SnapshotItSinesTest, TextFormBothWays) {
  P odd = withValues({1.0 / 3, -0.0, 1e300, 4.9406564584124654e-324, kInf, -kInf, 0.1, -2, 3, 4, 5, 6, -7});
  std::string const text = textOf(odd);
  EXPECT_EQ(text, "0.333333333333 -0 1e+300 4.94065645841e-324 inf -inf 0.1 -2 3 4 5 6 -7 ");
  P const back = gen_test::readText<P>(text);
  EXPECT_EQ(textOf(back), text);
  EXPECT_TRUE(std::signbit(back.xGroup.innerFrequency));
  EXPECT_TRUE(std::isnan(gen_test::readText<P>(textOf(withValues({0, 0, kNaN}))).xGroup.phase));
  gen_test::expectBadTextsKeep(odd, {"", "1 1 0 1 1 1 0 1 1 1 0 1", "1 1 0 1 1 1 0 1 1 1 0 1 x", "1 1 0 1e400 1 1 0 1 1 1 0 1 5"});
}

TEST_F(SnapshotItSinesTest, KindRecordMorphAndFactory) {
  EXPECT_NE(dynamic_cast<SnapshotItSines*>(SnapshotFactory::makeNewSnapshot("ItSines", 3).get()), nullptr);

  P q;
  for (unsigned i = 0; i < 13; ++i) q.setValue(i, 3.0 * i - 7);
  SnapshotCore c1, c2;
  c1.setNorm(100);
  c2.setNorm(300);
  auto const a = std::make_shared<SnapshotItSines>("a", c1, P());
  auto const b = std::make_shared<SnapshotItSines>("b_c", c2, q);

  auto const back = gen_test::readRecord(gen_test::recordOf(*b));
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(back->isEqual(*b));
  EXPECT_EQ(back->getName(), "b c");

  for (double t : {0.0, 1.0, 0.75}) {
    auto const m = a->morphTowards(b, t);
    P const& p = dynamic_cast<SnapshotItSines const&>(*m).getParameters();
    for (unsigned i = 0; i < 13; ++i)
      EXPECT_EQ(p.getValue(i), q.getValue(i) * t + P().getValue(i) * (1 - t)) << t << " " << i;
    EXPECT_EQ(m->getName(), "");
  }
  EXPECT_EQ(a->morphTowards(b, 0.5)->getCore().getNorm(), 200);
  gen_test::expectForeignMorphCopies(a);
}

}  // namespace
}  // namespace orlenza
