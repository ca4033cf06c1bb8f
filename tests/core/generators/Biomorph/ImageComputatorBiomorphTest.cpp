#include "core/generators/Biomorph/ImageComputatorBiomorph.h"

#include <gtest/gtest.h>

#include <complex>
#include <limits>

#include "core/engine/OrbitAnalyzer.h"
#include "core/engine/PlaneSampler.h"
#include "core/generators/Biomorph/SnapshotBiomorph.h"
#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/Halley/SnapshotHalley.h"

namespace orlenza {
namespace {

using gen_test::CountingNotifier;

using Complex = std::complex<double>;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The orbit of one plane point written out with std::complex, apart from the
// kernel: step, radius 100, count, then the biomorph test. With phi 0 the start
// and the constant are the complex blends of the point P and K.
std::vector<Complex> referenceOrbit(BiomorphParameters const& p, double px, double py) {
  EXPECT_EQ(p.getPhi(), 0);
  double const t = p.getTheta();
  Complex const point(px, py), k(p.fixedRe, p.fixedIm);
  Complex z = t * point + (1 - t) * k;
  Complex const c = (1 - t) * point + t * k;
  std::vector<Complex> orbit;
  for (int k = 0; k < p.getNumIter(); ++k) {
    orbit.push_back(z);
    Complex poly = p.coefficients[5];
    for (int i = 4; i >= 0; --i) poly = poly * z + p.coefficients[static_cast<std::size_t>(i)];
    Complex w = c + z * poly;
    if (p.sinWeight != 0) w += p.sinWeight * std::sin(z);
    if (p.expWeight != 0) w += p.expWeight * std::exp(z);
    if (p.powWeight != 0) w += p.powWeight * std::exp(z * std::log(z));
    z = w;
    if (std::norm(z) > 10000) break;
  }
  if (p.biomorphTest && (std::fabs(z.real()) < 100 || std::fabs(z.imag()) < 100)) orbit.resize(1);
  return orbit;
}

SnapshotBiomorph snapshot(View const& view, BiomorphParameters const& p) {
  SnapshotCore core;
  core.setView(view);
  return SnapshotBiomorph("", core, p);
}

class ImageComputatorBiomorphTest : public gen_test::CoreTest {
 protected:
  // The value at one plane point: a 1 x 1 picture shows its view's centre.
  double valueAt(BiomorphParameters const& p, double x, double y) {
    RawField field(1, 1);
    CountingNotifier notifier;
    computator.computeImage(snapshot(View(x, y, 1, 0, false, false), p), 1, 1, field, notifier, 1);
    return field[0][0];
  }

  ImageComputatorBiomorph& computator = ImageComputatorBiomorph::instance();
};

TEST_F(ImageComputatorBiomorphTest, HandWorkedSamples) {
  BiomorphParameters plane;  // theta 0: c is the point, z starts at 0.5
  // c = 0 never leaves and is collapsed; c = 2 runs 0.5, 2.25, 7.06, 51.9, then
  // 2693.4 escapes with Im 0 and is collapsed too.
  EXPECT_EQ(valueAt(plane, 0, 0), 0);
  EXPECT_EQ(valueAt(plane, 2, 0), 0);
  plane.biomorphTest = false;
  EXPECT_EQ(valueAt(plane, 0, 0), 31);
  EXPECT_EQ(valueAt(plane, 2, 0), 3);
  BiomorphParameters dyn;  // theta 1: z starts at the point, c = 0.5
  dyn.setTheta(1);
  // 5 + 3i -> 16.5 + 30i -> -627.25 + 990i: both parts past 100, dwell kept.
  EXPECT_EQ(valueAt(dyn, 5, 3), 1);
  dyn.analyzerID = "OA_Distance";
  EXPECT_DOUBLE_EQ(valueAt(dyn, 5, 3), std::hypot(11.5, 27.0));

  // theta 1/4, phi 1/2, K = 1 + 2i at P = 4 + 8i: Z = 1.75 + 3.5i, C = 3.25 + 6.5i,
  // so z starts at (1.75 + 6.5) / 2 + 3.5i and c = 3.25 + (1.75 + 6.5) / 2 i. With
  // P(z) = 0 the orbit is z, c.
  BiomorphParameters blend;
  blend.coefficients = {0, 0, 0, 0, 0, 0};
  blend.setTheta(0.25);
  blend.setPhi(0.5);
  blend.fixedRe = 1;
  blend.fixedIm = 2;
  blend.biomorphTest = false;
  blend.setNumIter(1);
  struct Expected {
    int count;
    char const* analyzer;
    double value;
  } const expected[] = {{1, "OA_Real", 4.125}, {1, "OA_Imag", 3.5}, {2, "OA_Real", 3.25}, {2, "OA_Imag", 4.125}};
  for (auto const& e : expected) {
    blend.setNumIter(e.count);
    blend.analyzerID = e.analyzer;
    EXPECT_EQ(valueAt(blend, 4, 8), e.value) << e.count << " " << e.analyzer;
  }

  // z^z at 0 is NaN and runs to the count; an infinite exp escapes at once.
  BiomorphParameters zero;
  zero.setTheta(1);
  zero.coefficients = {0, 0, 0, 0, 0, 0};
  zero.fixedRe = 0;
  zero.biomorphTest = false;
  zero.powWeight = 1;
  EXPECT_EQ(valueAt(zero, 0, 0), 31);
  zero.powWeight = 0;
  zero.expWeight = 1;
  EXPECT_EQ(valueAt(zero, 800, 0.5), 0);
}

TEST_F(ImageComputatorBiomorphTest, PicturesMatchTheReferenceOnAnyThreadCount) {
  BiomorphParameters dynamical;
  dynamical.setTheta(1);
  BiomorphParameters rich;
  rich.coefficients = {0.5, 1, 0, 0.8, 0, 0};
  rich.sinWeight = 1;
  rich.expWeight = 0.5;
  rich.powWeight = 0.2;
  rich.setTheta(0.6);
  rich.fixedIm = 0.4;
  rich.setNumIter(50);
  View const view(0.1, -0.2, 1.6, 20, true, false);
  int const w = 23, h = 17;
  PlaneSampler const sampler(view, w, h);
  for (BiomorphParameters p : {BiomorphParameters(), dynamical, rich}) {
    for (char const* analyzer : {"OA_Dwell", "OA_Length", "OA_Unregistered"}) {
      p.analyzerID = analyzer;
      OrbitAnalyzer const* a = OrbitAnalyzer::getAnalyzerFromID(analyzer);
      RawField one(w, h);
      gen_test::expectSameOnAnyThreadCount(computator, snapshot(view, p), w, h, one);
      for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) {
          Coord2D const q = sampler.getXY(x, y);
          auto const ref = referenceOrbit(p, q.x, q.y);
          Orbit orbit;
          for (Complex v : ref) orbit.add(v.real(), v.imag());
          double const expected = a ? a->extract(orbit) : double(ref.size() - 1);
          ASSERT_NEAR(one[x][y], expected, 1e-9 * (1 + std::fabs(expected))) << analyzer << " " << x << "," << y;
        }
    }
  }
}

TEST_F(ImageComputatorBiomorphTest, AbsurdValuesComputeAndCancelWithinARow) {
  // A count stored below the range computes one point; no orbit is ever empty.
  BiomorphParameters one;
  one.setNumIter(-4);
  one.analyzerID = "OA_Closeness";
  EXPECT_EQ(valueAt(one, 0.1, 0.1), 1);
  BiomorphParameters wild;
  wild.coefficients = {1e300, -1e308, kNaN, 0, 1e200, 0};
  wild.sinWeight = 1e300;
  wild.expWeight = INFINITY;
  wild.powWeight = kNaN;
  wild.fixedRe = 1e308;
  wild.setTheta(0.5);
  RawField a(31, 19);
  gen_test::expectSameOnAnyThreadCount(computator, snapshot(View(0, 0, 2, 0, false, false), wild), 31, 19, a);
  BiomorphParameters nanK;
  nanK.fixedRe = kNaN;
  nanK.biomorphTest = false;
  EXPECT_EQ(valueAt(nanK, 0.3, 0.3), 31);  // a NaN orbit runs to the count

  // 2048 pixels of 32767 steps are 67 million steps in one row; a cancel is
  // seen long before the row ends.
  BiomorphParameters slow;
  slow.coefficients = {0, 0, 0, 0, 0, 0};
  slow.setNumIter(1 << 20);
  RawField wide(2048, 4);
  wide.fill(-1);
  CountingNotifier cancelled(0);
  computator.computeImage(snapshot(View(0, 0, 0.1, 0, false, false), slow), 2048, 4, wide, cancelled, 1);
  int done = 0;
  for (int x = 0; x < 2048; ++x) done += wide[x][0] != -1;
  EXPECT_LT(done, 16);
  EXPECT_EQ(wide[0][1], -1);
}

}  // namespace
}  // namespace orlenza
