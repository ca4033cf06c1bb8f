#include "core/generators/Mandala/ImageComputatorMandala.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/Mandala/SnapshotMandala.h"
#include "core/geometry/GeometryNfold.h"

namespace orlenza {
namespace {

using gen_test::CountingNotifier;

using P = MandalaParameters;

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
       {{0, 0, 775.000000370052}, {7, 5, 357.69177724001827}, {2, 1, 901.9779174464219},
        {5, 4, 190.2552729696}, {4, 3, 500.0}, {6, 0, 704.3793998807864}}},
      {withValues({5, 4.06741411046, 0.266386365642, 0.695248033337, 0.522460132848, 1000}),
       {{0, 0, 449.81691113671206}, {7, 5, 455.745273684725}, {2, 1, 256.27582931379766},
        {5, 4, 856.0952052873314}, {4, 3, 500.0}, {6, 0, 133.17241077382164}}},
      // A negative amplitude mirrors the values below zero.
      {withValues({3, 0.5, 2.5, 2, 1.25, -300}),
       {{0, 0, -291.1993949136859}, {7, 5, -99.46219280421434}, {2, 1, -125.93986435345029},
        {5, 4, -143.3569068459113}, {4, 3, -150.0}, {6, 0, -64.29878563069701}}},
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
  EXPECT_TRUE(computator.getDefaultView() == View(0, 0, 1, 0, false, false));
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

}  // namespace
}  // namespace orlenza
