#include "core/generators/Perlin/ImageComputatorPerlin.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/Perlin/PerlinNoise.h"
#include "core/generators/Perlin/SnapshotPerlin.h"

namespace orlenza {
namespace {

using gen_test::CountingNotifier;

using P = PerlinParameters;

SnapshotPerlin snapshot(View const& view, P const& p) {
  SnapshotCore core;
  core.setView(view);
  return SnapshotPerlin("", core, p);
}

// The one pixel of a 1 x 1 picture lies on the view's centre.
double valueAt(double x, double y, P const& p) {
  RawField field(1, 1);
  CountingNotifier notifier;
  ImageComputatorPerlin::instance().computeImage(snapshot(View(x, y, 1, 0, false, false), p), 1, 1, field, notifier, 1);
  return field[0][0];
}

P layered(int combination, int shaping) {
  P p{.octavesA = 8, .persistenceA = 0.9, .scaleB = 0.05, .octavesB = 7, .persistenceB = 0.35, .scaleC = 0.8,
      .octavesC = 3, .persistenceC = 1, .amplitude = 250};
  p.combination = combination;
  p.shaping = shaping;
  return p;
}

class ImageComputatorPerlinTest : public gen_test::CoreTest {
 protected:
  ImageComputatorPerlin& computator = ImageComputatorPerlin::instance();
};

// Every combination with every shaping at two points, from a separate Python
// implementation of the noise, the octave sums and the combining rules.
TEST_F(ImageComputatorPerlinTest, ValuesMatchIndependentlyComputedOnes) {
  double const atDefaults[5][3] = {
      {467.5766368714152, 64.84672625716959, 0.0},  {464.59196837760896, 70.81606324478204, 0.0},
      {425.76095530251104, 148.47808939497793, 0.0}, {500.19354598078627, 0.387091961572501, 0.387091961572501},
      {461.3625329056883, 77.2749341886234, 0.0},
  };
  double const atLayered[5][3] = {
      {109.3588762531022, 31.282247493795595, 0.0},  {120.01620433478398, 9.96759133043205, 0.0},
      {171.95854275908408, 93.91708551816818, 93.91708551816818}, {123.66645930130501, 2.667081397389976, 0.0},
      {175.60879772560511, 101.21759545121026, 101.21759545121026},
  };
  for (int combination = 0; combination < 5; ++combination)
    for (int shaping = 0; shaping < 3; ++shaping) {
      P p;
      p.combination = combination;
      p.shaping = shaping;
      EXPECT_NEAR(valueAt(4.3, 2.1, p), atDefaults[combination][shaping], 1e-10) << combination << shaping;
      EXPECT_NEAR(valueAt(-1.7, 6.2, layered(combination, shaping)), atLayered[combination][shaping], 1e-10)
          << combination << shaping;
    }
}

TEST_F(ImageComputatorPerlinTest, ValuesReadFromFilesOutsideThePanesRanges) {
  P p;
  // An unknown combination gives 0 everywhere: half the amplitude with the default shaping.
  p.combination = 9;
  EXPECT_EQ(valueAt(4.3, 2.1, p), 500);
  p.shaping = 2;
  EXPECT_EQ(valueAt(4.3, 2.1, p), 0);
  p.shaping = -4;  // any other shaping is the default one
  p.combination = 0;
  EXPECT_EQ(valueAt(4.3, 2.1, p), valueAt(4.3, 2.1, P()));
  // A negative amplitude inverts; no octaves make the layer 0.
  p.amplitude = -1000;
  EXPECT_EQ(valueAt(4.3, 2.1, p), -valueAt(4.3, 2.1, P()));
  p.amplitude = 1000;
  p.octavesA = INT_MIN;
  EXPECT_EQ(valueAt(4.3, 2.1, p), 500);

  // Huge counts are summed only to the cap: the result is that of the cap.
  P capped = layered(4, 0);
  capped.octavesA = capped.octavesB = capped.octavesC = ImageComputatorPerlin::kMaxEvaluatedOctaves;
  P huge = capped;
  huge.octavesA = huge.octavesB = huge.octavesC = INT_MAX;
  RawField field(64, 64);
  CountingNotifier notifier;
  computator.computeImage(snapshot(View(0.3, -0.2, 0.001, 0, false, false), huge), 64, 64, field, notifier, 1);
  EXPECT_EQ(notifier.steps, 64);
  EXPECT_EQ(valueAt(0.3, -0.2, huge), valueAt(0.3, -0.2, capped));
  // Absurd scales and far views give numbers or NaN, never a crash.
  P wild = layered(2, 1);
  wild.scaleB = 1e300;
  wild.scaleC = std::numeric_limits<double>::quiet_NaN();
  EXPECT_TRUE(std::isnan(valueAt(4.3, 2.1, wild)));
  EXPECT_FALSE(std::isnan(valueAt(-1.5e300, 7e299, P())));
}

TEST_F(ImageComputatorPerlinTest, TablesNonFinitePointsAndThreads) {
  EXPECT_TRUE(computator.getDefaultView() == View(4, 3, 5, 0, false, false));
  EXPECT_EQ(ImageComputatorPerlin::perlinB().permutation(), Perlin(10043).permutation());
  gen_test::expectNaNWithoutAPlanePoint(computator, [](View const& v) { return snapshot(v, P()); });

  auto swirl = snapshot(View(0.4, -0.2, 3.1, 20, true, false), layered(4, 1));
  swirl.getCore().setGeometry(std::make_shared<GeometrySwirl>());
  int const w = 301, h = 97;
  RawField one(w, h);
  gen_test::expectSameOnAnyThreadCount(computator, swirl, w, h, one);
  for (int x = 0; x < w; ++x)
    for (int y = 0; y < h; ++y) ASSERT_GE(one[x][y], 0);  // |v| shaping
}

}  // namespace
}  // namespace orlenza
