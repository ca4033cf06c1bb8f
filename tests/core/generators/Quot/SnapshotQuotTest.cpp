#include "core/generators/Quot/SnapshotQuot.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/generators/GeneratorTestSupport.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {
namespace {

using gen_test::textOf;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
using P = QuotParameters;

P withValues(std::vector<double> const& values) {
  P p;
  for (unsigned i = 0; i < values.size(); ++i) p.setParameter(i, values[i]);
  return p;
}

using SnapshotQuotTest = gen_test::CoreTest;

TEST_F(SnapshotQuotTest, SeventeenParametersAndARangeErrorPastThem) {
  P p;
  EXPECT_EQ(p.getNumParameters(), 17u);
  EXPECT_EQ(textOf(p), "1 0 1 0 1 1 0 1 0 1 0 1 -1 1 -1 1 1000 ");
  for (unsigned long index : {17ul, ~0ul}) {
    gen_test::expectRangeError([&] { p.getParameter(index); }, "Range error for QuotParameters");
    EXPECT_THROW(p.setParameter(index, 1), std::out_of_range);
  }
}

TEST_F(SnapshotQuotTest, ForceValidMakesTheRectangleAndAmplitudeUsable) {
  struct Case {
    double xMin, xMax, yMin, yMax, amplitude;
    double wantXMax, wantYMax, wantAmplitude;
  } const cases[] = {
      {2, 1, -1, 1, 1000, 3, 1, 1000},      // reversed x side
      {-1, 1, 0.5, 0.5, 1000, 1, 1.5, 1000},  // empty y side
      {-1, 1, -1, 1, -5, 1, 1, 5},
      {-1, 1, -1, 1, 0, 1, 1, 1},
      {-1, 1, -1, 1, -0.0, 1, 1, 1},
      {-4, -3.5, 7, 9, 0.001, -3.5, 9, 0.001},  // valid: unchanged
      {kInf, 1, -1, 1, -kInf, kInf, 1, kInf},
  };
  for (auto const& c : cases) {
    P p;
    p.setParameter(P::kXMin, c.xMin);
    p.setParameter(P::kXMax, c.xMax);
    p.setParameter(P::kYMin, c.yMin);
    p.setParameter(P::kYMax, c.yMax);
    p.setParameter(P::kAmplitude, c.amplitude);
    p.forceValid();
    EXPECT_EQ(p.getParameter(P::kXMin), c.xMin);
    EXPECT_EQ(p.getParameter(P::kXMax), c.wantXMax) << c.xMin << " " << c.xMax;
    EXPECT_EQ(p.getParameter(P::kYMin), c.yMin);
    EXPECT_EQ(p.getParameter(P::kYMax), c.wantYMax) << c.yMin << " " << c.yMax;
    EXPECT_EQ(p.getParameter(P::kAmplitude), c.wantAmplitude) << c.amplitude;
    for (unsigned i = 0; i < 12; ++i) EXPECT_EQ(p.getParameter(i), P().getParameter(i));
  }
}

TEST_F(SnapshotQuotTest, TextFormBothWaysAndReadAsItStands) {
  P odd = withValues({1.0 / 3, -0.0, 1e300, 4.9406564584124654e-324, kInf, -kInf, 0.1, -2, 3, 4, 5, 6,
                      2, 1, 5, 5, -7});  // reversed and empty rectangle, negative amplitude
  std::string const text = textOf(odd);
  EXPECT_EQ(text, "0.333333333333 -0 1e+300 4.94065645841e-324 inf -inf 0.1 -2 3 4 5 6 2 1 5 5 -7 ");
  EXPECT_EQ(textOf(gen_test::readText<P>(text)), text);  // the reader does not make it valid
  EXPECT_TRUE(std::isnan(gen_test::readText<P>(textOf(withValues({kNaN}))).getParameter(0)));
  gen_test::expectBadTextsKeep(odd, {"1 2 3", "1 0 1 0 1 1 0 1 0 1 0 1 -1 1 -1 1", "1 0 1 0 1 1 0 1 0 1 0 1 -1 1 -1 1 z"});
}

TEST_F(SnapshotQuotTest, KindRecordMorphAndFactory) {
  EXPECT_NE(dynamic_cast<SnapshotQuot*>(SnapshotFactory::makeNewSnapshot("Quot", 3).get()), nullptr);

  P q;
  for (unsigned i = 0; i < 17; ++i) q.setParameter(i, 2.0 * i - 10);
  SnapshotCore c1, c2;
  c1.setNorm(100);
  c2.setNorm(300);
  auto const a = std::make_shared<SnapshotQuot>("a", c1, P());
  auto const b = std::make_shared<SnapshotQuot>("b b", c2, q);

  auto const back = gen_test::readRecord(gen_test::recordOf(*b));
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(back->isEqual(*b));
  EXPECT_EQ(back->getName(), "b b");

  for (double t : {0.0, 1.0, 0.25}) {
    auto const m = a->morphTowards(b, t);
    auto const& p = dynamic_cast<SnapshotQuot const&>(*m).getParameters();
    for (unsigned i = 0; i < 17; ++i)
      EXPECT_DOUBLE_EQ(p.getParameter(i), P().getParameter(i) * (1 - t) + q.getParameter(i) * t) << t << " " << i;
    EXPECT_EQ(m->getName(), "");
  }
  gen_test::expectForeignMorphCopies(a);
}

}  // namespace
}  // namespace orlenza
