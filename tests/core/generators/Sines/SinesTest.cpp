#include <gtest/gtest.h>

#include <limits>

#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/Sines/ImageComputatorItSines.h"
#include "core/generators/Sines/ParameterPaneItSines.h"
#include "core/generators/Sines/SnapshotItSines.h"
#include "core/geometry/GeometrySphere.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {
namespace {

using gen_test::CountingNotifier;
using gen_test::doubleDraw;
using gen_test::textOf;

using P = ItSinesParameters;

P withValues(std::vector<double> const& values) {
  P p;
  for (unsigned i = 0; i < values.size(); ++i) p.setValue(i, values[i]);
  return p;
}

SnapshotItSines snapshot(View const& view, P const& p) {
  SnapshotCore core;
  core.setView(view);
  return SnapshotItSines("", core, p);
}

class ImageComputatorItSinesTest : public gen_test::CoreTest {
 protected:
  double valueAt(double x, double y, P const& p) {
    RawField field(1, 1);  // the one pixel lies on the view's centre
    CountingNotifier notifier;
    computator.computeImage(snapshot(View(x, y, 1, 0, false, false), p), 1, 1, field, notifier, 1);
    return field[0][0];
  }

  ImageComputatorItSines& computator = ImageComputatorItSines::instance();
};

// An 8 x 6 picture of the view of size 6.25: pixel (x, y) is the plane point
// ((x - 4) 25/12, (3 - y) 25/12). Values worked out in Python from the formula.
TEST_F(ImageComputatorItSinesTest, ValuesMatchIndependentlyComputedOnes) {
  struct Case {
    P parameters;
    std::vector<gen_test::Sample> samples;
  } const cases[] = {
      {P(),
       {{0, 0, 397.36631677712967}, {7, 5, 351.8722542758602}, {4, 3, 500.0}}},
      {withValues({3.7, 0.4, -2.1, 4.2, 1.3, 2.9, 0.7, 1.5, 4.4, 0.2, 3.0, 0.35, 1000}),
       {{0, 0, 303.312086803169}, {7, 5, 755.5133166476675}, {4, 3, 284.3172887398529}}},
      // A negative weight and amplitude leave [0, amplitude].
      {withValues({2, 0.5, 1, -1, 0.3, 4, -3, 2, 1, 1, 1, 0.5, -250}),
       {{0, 0, 9.166363248576031}, {7, 5, -78.08573560299237}, {4, 3, -66.41870762302644}}},
  };
  View const view(0, 0, 6.25, 0, false, false);
  for (auto const& c : cases) gen_test::expectSamples(computator, snapshot(view, c.parameters), 8, 6, c.samples);
}

TEST_F(ImageComputatorItSinesTest, EdgePoints) {
  double const halfPi = 3.14159265358979323846 / 2;
  P cancelling;  // weights 1 + 1 - 2 = 0
  cancelling.xyGroup.weight = -2;
  P onlyX;
  onlyX.yGroup.weight = 0;
  onlyX.xyGroup.weight = 0;
  struct Case {
    double x, y;
    P parameters;
    double value, tolerance;
  } const cases[] = {
      {0, 0, P(), 500, 0},                             // every term is sin(0)
      {halfPi, 0, P(), 590.0503843113565, 1e-9},       // (sin(pi/2 + 1) / 3 + 1) 500
      {-halfPi, 0, P(), 409.94961568864335, 1e-9},      // odd in x
      {halfPi, 0, onlyX, 770.1511529340698, 1e-9},     // (sin(pi/2 + 1) + 1) 500
  };
  for (auto const& c : cases) {
    double const got = valueAt(c.x, c.y, c.parameters);
    EXPECT_NEAR(got, c.value, c.tolerance) << c.x << "," << c.y;
  }
  // Cancelling weights: 0 / 0 at the origin, infinities elsewhere, stored as computed.
  EXPECT_TRUE(std::isnan(valueAt(0, 0, cancelling)));
  EXPECT_TRUE(std::isinf(valueAt(0.7, 0.2, cancelling)));
}

TEST_F(ImageComputatorItSinesTest, NonFinitePoints) {
  gen_test::expectNaNWithoutAPlanePoint(computator, [](View const& v) { return snapshot(v, P()); });
}


std::shared_ptr<SnapshotItSines> withParameters(P const& p) {
  return std::make_shared<SnapshotItSines>("start", SnapshotCore(), p);
}

P const& paramsOf(std::shared_ptr<Snapshot> const& s) { return dynamic_cast<SnapshotItSines&>(*s).getParameters(); }

class ParameterPaneItSinesTest : public gen_test::CoreTest {
 protected:
  ParameterPaneItSines pane;
};

TEST_F(ParameterPaneItSinesTest, RandomSnapshotHonoursLocks) {
  P start;
  for (unsigned i = 0; i < 13; ++i) start.setValue(i, 10.0 + i);
  auto const current = withParameters(start);
  gen_test::giveBusyCore(*current);

  // All open: twelve draws in value order with each value's range.
  for (int lock = 101; lock <= 113; ++lock) pane.setLocked(lock, false);
  for (std::uint32_t seed : {1u, 2u, 4000000000u}) {
    RandomUtils::seed(seed);
    P const p = paramsOf(pane.makeRandomSnap(current));
    AdditiveFeedbackGenerator draws(seed);
    for (unsigned g = 0; g < 3; ++g) {
      EXPECT_EQ(p.getValue(4 * g), doubleDraw(draws.next(), 0.1, 5.0));
      EXPECT_EQ(p.getValue(4 * g + 1), doubleDraw(draws.next(), 0.1, 5.0));
      EXPECT_EQ(p.getValue(4 * g + 2), doubleDraw(draws.next(), -3.14, 3.14));
      EXPECT_EQ(p.getValue(4 * g + 3), g < 2 ? doubleDraw(draws.next(), 1.0, 5.0) : doubleDraw(draws.next(), 0.0, 0.5));
    }
    EXPECT_EQ(p.amplitude, 1000);
    EXPECT_EQ(RandomUtils::random(), draws.next());
  }
  // One group locked, the others drawn.
  for (int lock = 105; lock <= 108; ++lock) pane.setLocked(lock, true);
  RandomUtils::seed(8);
  P const p = paramsOf(pane.makeRandomSnap(current));
  for (unsigned i = 4; i < 8; ++i) EXPECT_EQ(p.getValue(i), start.getValue(i));
  EXPECT_NE(p.xGroup.frequency, start.xGroup.frequency);
  EXPECT_NE(p.xyGroup.weight, start.xyGroup.weight);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

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
