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

TEST_F(SnapshotQuotTest, MorphIsLinearInEveryParameter) {
  P a, b;
  for (unsigned i = 0; i < 17; ++i) {
    a.setParameter(i, 4.0 * i);
    b.setParameter(i, 2.0 * i - 10);
  }
  // Three quarters of 4 i and a quarter of 2 i - 10; the rectangle stays valid.
  P m;
  m.morph(a, b, 0.25);
  for (unsigned i = 0; i < 17; ++i) EXPECT_EQ(m.getParameter(i), 3.5 * i - 2.5) << i;
}

}  // namespace
}  // namespace orlenza
