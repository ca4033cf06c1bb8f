#include "core/generators/Mandala/SnapshotMandala.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/generators/GeneratorTestSupport.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {
namespace {

using gen_test::textOf;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
using P = MandalaParameters;

P withValues(std::initializer_list<double> values) {
  P p;
  unsigned i = 0;
  for (double v : values) p.setParameter(i++, v);
  return p;
}

using SnapshotMandalaTest = gen_test::CoreTest;

TEST_F(SnapshotMandalaTest, SixParametersAndNothingPastThem) {
  P p;
  EXPECT_EQ(p.getNumParameters(), 6u);
  for (unsigned long index : {6ul, ~0ul}) {
    p.setParameter(index, 42);
    EXPECT_EQ(p.getParameter(index), 0) << index;
  }
  // Within 1e-10 is equal, beyond it is not; NaN equals nothing.
  P near;
  near.setParameter(P::kAmplitude, 1000 + 5e-11);
  EXPECT_TRUE(near == P());
  near.setParameter(P::kAmplitude, 1000 + 2e-10);
  EXPECT_FALSE(near == P());
  near.setParameter(P::kAmplitude, kNaN);
  EXPECT_FALSE(near == near);
}

TEST_F(SnapshotMandalaTest, MorphIsLinearAndExtrapolates) {
  SnapshotCore c1, c2;
  c1.setNorm(100);
  c2.setNorm(300);
  P const p = withValues({1, 2, 3, 4, 5, 6});
  P const q = withValues({3, -2, 0, 1e10, -5, 1000});
  auto const a = std::make_shared<SnapshotMandala>("a", c1, p);
  auto const b = std::make_shared<SnapshotMandala>("b", c2, q);
  struct Case {
    double t;
    P expected;
  } const cases[] = {
      {0, p},
      {1, q},
      {0.5, withValues({2, 0, 1.5, 5e9 + 2, 0, 503})},
      {2, withValues({5, -6, -3, 2e10 - 4, -15, 1994})},  // beyond the ends: extrapolated
  };
  for (auto const& c : cases) {
    auto const m = a->morphTowards(b, c.t);
    auto const* mid = dynamic_cast<SnapshotMandala const*>(m.get());
    ASSERT_NE(mid, nullptr);
    EXPECT_TRUE(mid->getParameters() == c.expected) << c.t << ": " << textOf(mid->getParameters());
    EXPECT_EQ(m->getName(), "");
  }
}

}  // namespace
}  // namespace orlenza
