#include "core/generators/Sines/ImageComputatorItSines.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/Sines/SnapshotItSines.h"
#include "core/geometry/GeometrySphere.h"

namespace orlenza {
namespace {

using gen_test::CountingNotifier;

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
       {{0, 0, 397.36631677712967}, {7, 5, 351.8722542758602}, {2, 1, 601.729548358722}, {5, 4, 543.9929760631012},
        {4, 3, 500.0}, {6, 0, 626.0224723482025}, {1, 5, 704.6274500645035}}},
      {withValues({3.7, 0.4, -2.1, 4.2, 1.3, 2.9, 0.7, 1.5, 4.4, 0.2, 3.0, 0.35, 1000}),
       {{0, 0, 303.312086803169}, {7, 5, 755.5133166476675}, {2, 1, 562.7006068324497}, {5, 4, 427.55228547934206},
        {4, 3, 284.3172887398529}, {6, 0, 946.9687202148996}, {1, 5, 376.95989522453925}}},
      // A negative weight and amplitude leave [0, amplitude].
      {withValues({2, 0.5, 1, -1, 0.3, 4, -3, 2, 1, 1, 1, 0.5, -250}),
       {{0, 0, 9.166363248576031}, {7, 5, -78.08573560299237}, {2, 1, -98.84576980307216}, {5, 4, -281.3469180599214},
        {4, 3, -66.41870762302644}, {6, 0, -42.955383880862286}, {1, 5, -118.26772244604517}}},
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
      {0, halfPi, P(), 590.0503843113565, 1e-9},       // the same wave in y
      {-halfPi, 0, P(), 409.94961568864335, 1e-9},      // odd in x
      {halfPi, 0, onlyX, 770.1511529340698, 1e-9},     // (sin(pi/2 + 1) + 1) 500
  };
  for (auto const& c : cases) {
    double const got = valueAt(c.x, c.y, c.parameters);
    EXPECT_NEAR(got, c.value, c.tolerance) << c.x << "," << c.y;
  }
  EXPECT_EQ(AbstractImageComputator::getComputatorFromID("ItSines"), &computator);
  EXPECT_TRUE(computator.getDefaultView() == View(0, 0, 2.5, 0, false, false));
  // Cancelling weights: 0 / 0 at the origin, infinities elsewhere, stored as computed.
  EXPECT_TRUE(std::isnan(valueAt(0, 0, cancelling)));
  EXPECT_TRUE(std::isinf(valueAt(0.7, 0.2, cancelling)));
}

TEST_F(ImageComputatorItSinesTest, NonFinitePointsThreadsAndCancel) {
  gen_test::expectNaNWithoutAPlanePoint(computator, [](View const& v) { return snapshot(v, P()); });

  auto sphere = snapshot(View(0.4, -0.2, 3.1, 20, false, true),
                         withValues({3.7, 0.4, -2.1, 4.2, 1.3, 2.9, 0.7, 1.5, 4.4, 0.2, 3.0, 0.35, 1000}));
  sphere.getCore().setGeometry(std::make_shared<GeometrySphere>());
  int const w = 301, h = 97;
  RawField one(w, h);
  gen_test::expectSameOnAnyThreadCount(computator, sphere, w, h, one);
  for (int x = 0; x < w; ++x)
    for (int y = 0; y < h; ++y)
      if (!std::isnan(one[x][y])) {
        ASSERT_GE(one[x][y], 0);  // non-negative weights stay in [0, amplitude]
        ASSERT_LE(one[x][y], 1000);
      }
}

}  // namespace
}  // namespace orlenza
