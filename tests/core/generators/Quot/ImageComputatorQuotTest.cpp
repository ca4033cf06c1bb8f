#include "core/generators/Quot/ImageComputatorQuot.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/Quot/SnapshotQuot.h"

namespace orlenza {
namespace {

using gen_test::CountingNotifier;

using P = QuotParameters;

P withValues(std::vector<double> const& values) {
  P p;
  for (unsigned i = 0; i < values.size(); ++i) p.setParameter(i, values[i]);
  return p;
}

// Only the numerator's x coefficient and constant, denominator 1: V = X + c.
P linearInX(double constant, double amplitude = 1) {
  return withValues({0, 1, 0, 0, 0, constant, 0, 0, 0, 0, 0, 1, -1, 1, -1, 1, amplitude});
}

SnapshotQuot snapshot(View const& view, P const& p) {
  SnapshotCore core;
  core.setView(view);
  return SnapshotQuot("", core, p);
}

double valueAt(ImageComputatorQuot& computator, double x, double y, P const& p) {
  RawField field(1, 1);  // the one pixel lies on the view's centre
  CountingNotifier notifier;
  computator.computeImage(snapshot(View(x, y, 1, 0, false, false), p), 1, 1, field, notifier, 1);
  return field[0][0];
}

class ImageComputatorQuotTest : public gen_test::CoreTest {
 protected:
  ImageComputatorQuot& computator = ImageComputatorQuot::instance();
};

// An 8 x 6 picture of the view of size 6.25: pixel (x, y) is the plane point
// ((x - 4) 25/12, (3 - y) 25/12). Values worked out in Python from the
// formulas, with the two folds written out apart from the code.
TEST_F(ImageComputatorQuotTest, ValuesMatchIndependentlyComputedOnes) {
  P reversed;  // a reversed x side leaves x unfolded
  reversed.setParameter(P::kXMin, 1);
  reversed.setParameter(P::kXMax, -1);
  reversed.setParameter(P::kAmplitude, 10);
  struct Case {
    P parameters;
    std::vector<gen_test::Sample> samples;
  } const cases[] = {
      {P(),
       {{0, 0, 983.3333333333276}, {7, 5, 59.523809523808204}, {2, 1, 972.2222222222221}, {5, 4, 993.0555555555555},
        {4, 3, 1000.0}, {6, 0, 856.0606060606065}, {1, 5, 967.9487179487182}}},
      {withValues({0.613801752037, -2.7501668724, -1.06908220615, -0.560616066475, -2.14958749113, -3.55218948729,
                   0.635544995608, 3.64678703651, 3.95401836324, -2.69195325565, -4.95988394132, -0.394191125126,
                   -2.42919125009, -2.2254243876, -0.560525472071, 0.311687258217, 1000}),
       {{0, 0, 855.7570029002588}, {7, 5, 130.78055827268287}, {2, 1, 744.4236754227713}, {5, 4, 933.9923163178044},
        {4, 3, 787.8565921417251}, {6, 0, 530.0104463119451}, {1, 5, 118.60882337998868}}},
      {reversed,
       {{0, 0, 4.27655677655677}, {7, 5, 4.872549019607844}, {2, 1, 1.018518518518512}, {5, 4, 2.565789473684208},
        {4, 3, 10.0}, {6, 0, 4.646892655367232}, {1, 5, 4.0641025641025585}}},
  };
  View const view(0, 0, 6.25, 0, false, false);
  for (auto const& c : cases) gen_test::expectSamples(computator, snapshot(view, c.parameters), 8, 6, c.samples);
}

TEST_F(ImageComputatorQuotTest, FoldsZeroDenominatorsAndOverflow) {
  double const nan = std::numeric_limits<double>::quiet_NaN();
  P zeroDenominator;
  for (unsigned i = P::kDenXX; i <= P::kDenConst; ++i) zeroDenominator.setParameter(i, 0);
  P overflow = linearInX(1e308);
  overflow.setParameter(P::kDenConst, 1e-308);
  struct Case {
    double x, y;
    P parameters;
    double value;
  } const cases[] = {
      // X = 0.5 at 1.5 and -0.5 at 3.5: V = X + 0.25 folds to 0.75 and 0.25.
      {1.5, 0, linearInX(0.25), 0.75},
      {3.5, 0, linearInX(0.25), 0.25},
      {-2.5, 7, linearInX(0.25), 0.75},  // -2.5 folds to 0.5
      {0, 0, P(), 1000},                 // D = 1, V = 1, whose fold is 1
      {0.3, -0.7, zeroDenominator, 0},   // no quotient: 0, not NaN
      {0, 0, overflow, nan},             // a quotient past the largest double
  };
  for (auto const& c : cases) {
    double const got = valueAt(computator, c.x, c.y, c.parameters);
    if (std::isnan(c.value))
      EXPECT_TRUE(std::isnan(got)) << c.x << "," << c.y << ": " << got;
    else
      EXPECT_NEAR(got, c.value, 1e-12) << c.x << "," << c.y;
  }
}

TEST_F(ImageComputatorQuotTest, NonFinitePointsAndThreads) {
  gen_test::expectNaNWithoutAPlanePoint(computator, [](View const& v) { return snapshot(v, P()); });
  RawField huge(11, 11);
  CountingNotifier notifier;
  computator.computeImage(snapshot(View(1.7e308, 0, 5e307, 0, false, false), P()), 11, 11, huge, notifier, 1);
  EXPECT_FALSE(std::isnan(huge[0][5]));  // finite, however far: folded back

  auto swirl = snapshot(View(0.4, -0.2, 3.1, 20, true, false), withValues({0.6, -2.7, -1.1, -0.5, -2.1, -3.5, 0.6, 3.6,
                                                                          3.9, -2.7, -4.9, -0.4, -2.4, -2.2, -0.6, 0.3, 500}));
  swirl.getCore().setGeometry(std::make_shared<GeometrySwirl>());
  int const w = 301, h = 97;
  RawField one(w, h);
  gen_test::expectSameOnAnyThreadCount(computator, swirl, w, h, one);
  for (int x = 0; x < w; ++x)
    for (int y = 0; y < h; ++y) {
      ASSERT_GE(one[x][y], 0);
      ASSERT_LE(one[x][y], 500);
    }
}

}  // namespace
}  // namespace orlenza
