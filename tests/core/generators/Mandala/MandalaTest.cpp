#include <gtest/gtest.h>

#include <limits>

#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/Mandala/ImageComputatorMandala.h"
#include "core/generators/Mandala/ParameterPaneMandala.h"
#include "core/generators/Mandala/SnapshotMandala.h"
#include "core/geometry/GeometryNfold.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {
namespace {

using gen_test::CountingNotifier;
using gen_test::doubleDraw;
using gen_test::textOf;

using P = MandalaParameters;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

P withValues(std::initializer_list<double> values) {
  P p;
  unsigned i = 0;
  for (double v : values) p.setParameter(i++, v);
  return p;
}

SnapshotMandala snapshot(View const& view, P const& p) {
  SnapshotCore core;
  core.setView(view);
  return SnapshotMandala("", core, p);
}

class ImageComputatorMandalaTest : public gen_test::CoreTest {
 protected:
  ImageComputatorMandala& computator = ImageComputatorMandala::instance();
};

// An 8 x 6 picture of the view of size 2.5: pixel (x, y) is the plane point
// ((x - 4) 5/6, (3 - y) 5/6). Values worked out in Python from the formula.
TEST_F(ImageComputatorMandalaTest, ValuesMatchIndependentlyComputedOnes) {
  struct Case {
    P parameters;
    std::vector<gen_test::Sample> samples;
  } const cases[] = {
      {P(),
       {{0, 0, 775.000000370052}, {7, 5, 357.69177724001827}, {4, 3, 500.0}}},
      {withValues({5, 4.06741411046, 0.266386365642, 0.695248033337, 0.522460132848, 1000}),
       {{0, 0, 449.81691113671206}, {7, 5, 455.745273684725}, {2, 1, 256.27582931379766}}},
      // A negative amplitude mirrors the values below zero.
      {withValues({3, 0.5, 2.5, 2, 1.25, -300}),
       {{0, 0, -291.1993949136859}, {7, 5, -99.46219280421434}, {4, 3, -150.0}}},
  };
  View const view(0, 0, 2.5, 0, false, false);
  for (auto const& c : cases) gen_test::expectSamples(computator, snapshot(view, c.parameters), 8, 6, c.samples);
}

TEST_F(ImageComputatorMandalaTest, PointsOfTheDefaultWaves) {
  // A 3 x 3 picture of size 1.5 samples (-1, 1) ... (1, -1) one apart; the
  // centre is the view's centre.
  struct Case {
    View view;
    int x, y;
    double value, tolerance;
  } const cases[] = {
      {View(0, 0, 1.5, 0, false, false), 1, 1, 500, 0},       // the origin: a = b = 0
      {View(0, 0, 1.5, 0, false, false), 2, 1, 500, 1e-6},    // (1, 0): a = 0, b = sin(pi)
      {View(0, 0.5, 1.5, 0, false, false), 1, 1, 1000, 1e-9},  // (0, 0.5): a = b = 1
      {View(0, 0, 1.5, 0, false, false), 1, 0, 750, 1e-6},    // (0, 1): a = 1, b = sin(pi)
      {View(0, 0, 1.5, 0, false, false), 1, 2, 250, 1e-6},    // (0, -1): a = -1
  };
  for (auto const& c : cases) {
    RawField field(3, 3);
    CountingNotifier notifier;
    computator.computeImage(snapshot(c.view, P()), 3, 3, field, notifier, 1);
    EXPECT_NEAR(field[c.x][c.y], c.value, c.tolerance) << c.x << "," << c.y;
  }
}

TEST_F(ImageComputatorMandalaTest, CancellingWeightsAndNonFinitePoints) {
  // p1 + p3 + p4 = 0: the division gives infinities or NaN, stored as computed.
  RawField field(5, 5);
  CountingNotifier notifier;
  computator.computeImage(snapshot(View(0, 0, 1, 0, false, false), withValues({2, 1, 1, -1, 0, 1000})), 5, 5, field,
                          notifier, 1);
  EXPECT_TRUE(std::isnan(field[2][2]));  // 0 / 0 at the origin
  int infinite = 0;
  for (int x = 0; x < 5; ++x)
    for (int y = 0; y < 5; ++y) infinite += std::isinf(field[x][y]);
  EXPECT_GT(infinite, 0);

  gen_test::expectNaNWithoutAPlanePoint(computator, [](View const& v) { return snapshot(v, P()); });
}


std::shared_ptr<SnapshotMandala> withParameters(P const& p) {
  return std::make_shared<SnapshotMandala>("start", SnapshotCore(), p);
}

P const& paramsOf(std::shared_ptr<Snapshot> const& s) { return dynamic_cast<SnapshotMandala&>(*s).getParameters(); }

// The draws of the random functions, written out: a + r / (2^31 - 1) (b - a),
// and lo + floor(u (hi - lo + 1)) with u = 1 giving hi.
double intDraw(std::uint32_t r, int lo, int hi) {
  double const u = r / 2147483647.0;
  return u == 1 ? hi : lo + std::floor(u * (hi - lo + 1));
}

class ParameterPaneMandalaTest : public gen_test::CoreTest {
 protected:
  ParameterPaneMandala pane;
};

TEST_F(ParameterPaneMandalaTest, RandomSnapshotHonoursLocks) {
  auto start = withParameters(withValues({7, 8, 9, 10, 11, 12}));
  gen_test::giveBusyCore(*start);

  for (int lock = 101; lock <= 106; ++lock) pane.setLocked(lock, true);
  // Some locked: the open ones take the next draws in parameter order.
  pane.setLocked(101, false);
  pane.setLocked(103, false);
  pane.setLocked(105, false);
  for (std::uint32_t seed : {1u, 2u, 99u, 4000000000u}) {
    RandomUtils::seed(seed);
    auto const r = pane.makeRandomSnap(start);
    AdditiveFeedbackGenerator draws(seed);
    double const p0 = intDraw(draws.next(), 1, 6);
    double const p2 = doubleDraw(draws.next(), 0.0, 3.0);
    double const p4 = doubleDraw(draws.next(), 0.0, 1.5);
    EXPECT_TRUE(paramsOf(r) == withValues({p0, 8, p2, 10, p4, 1000})) << seed;
  }
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
      {0.5, withValues({2, 0, 1.5, 5e9 + 2, 0, 503})},
      {2, withValues({5, -6, -3, 2e10 - 4, -15, 1994})},  // beyond the ends: extrapolated
  };
  for (auto const& c : cases) {
    auto const m = a->morphTowards(b, c.t);
    auto const* mid = dynamic_cast<SnapshotMandala const*>(m.get());
    ASSERT_NE(mid, nullptr);
    EXPECT_TRUE(mid->getParameters() == c.expected) << c.t << ": " << textOf(mid->getParameters());
  }
}

}  // namespace
}  // namespace orlenza
