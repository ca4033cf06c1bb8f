#include "core/generators/OrbitFractal/ImageComputatorOrbitFractal.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/engine/OrbitAnalyzer.h"
#include "core/generators/GeneratorTestSupport.h"
#include "core/geometry/GeometryNfold.h"

namespace orlenza {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The two maps written out from their formulas.
void sqrtMap(double const* p, double& x, double& y) {
  double const nx = std::sin(std::sqrt(std::fabs(p[0] * x))) - y;
  y = std::sqrt(std::fabs(y)) - std::cos(p[1] * x + p[2]);
  x = nx;
}

double gumF(double a, double w) { return a * w + 2 * (1 - a) * w * w / (1 + w * w); }

bool gumMap(double const* p, double& x, double& y) {
  double const u = x + (x < 0 ? -1 : 1) * p[2];
  double const nx = y + p[0] * y * (1 - 0.05 * y * y) + gumF(p[1], u);
  double const ny = gumF(p[1], nx) - u;
  if (std::fabs(nx) > 1e20 || std::fabs(ny) > 1e20) return false;
  x = nx;
  y = ny;
  return true;
}

Orbit referenceOrbit(bool gum, double const* p, double x, double y, int n) {
  Orbit orbit;
  for (int k = 0; k < n; ++k) {
    orbit.add(x, y);
    if (gum) {
      if (!gumMap(p, x, y)) break;
    } else {
      sqrtMap(p, x, y);
    }
  }
  return orbit;
}

// Plane point of pixel (x, y) for an unrotated, unflipped view.
Coord2D planePoint(View const& v, int width, int height, int x, int y) {
  double const step = 2 * v.getSize() / std::min(width, height);
  return {v.getCenterX() + (x - width / 2) * step, v.getCenterY() + (height / 2 - y) * step};
}

template <class Snap>
Snap withParameters(int iterations, std::string const& analyzer) {
  Snap s;
  s.getParameters().setIterations(iterations);
  s.getParameters().analyzerID = analyzer;
  return s;
}

class ImageComputatorOrbitFractalTest : public gen_test::CoreTest {
 protected:
  ImageComputatorDynFractal& dyn = ImageComputatorDynFractal::instance();
  ImageComputatorGumFractal& gum = ImageComputatorGumFractal::instance();
};

TEST_F(ImageComputatorOrbitFractalTest, EveryAnalyzerReadsTheWholeOrbitOfEveryPixel) {
  int const w = 23, h = 17;
  for (bool isGum : {false, true}) {
    for (auto const* analyzer : OrbitAnalyzerController::getAnalyzers()) {
      std::string const id = analyzer->getIdentifier();
      RawField field(w, h);
      double p[3];
      View view;
      auto const run = [&](auto const& s, auto& computator) {
        NullComputationNotifier notifier;
        for (unsigned i = 0; i < 3; ++i) p[i] = s.getParameters().getParameter(i);
        view = s.getCore().getView();
        computator.computeImage(s, w, h, field, notifier, 3);
      };
      if (isGum)
        run(withParameters<SnapshotGumFractal>(9, id), gum);
      else
        run(withParameters<SnapshotDynFractal>(12, id), dyn);
      for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) {
          Coord2D const q = planePoint(view, w, h, x, y);
          double const want = analyzer->extract(referenceOrbit(isGum, p, q.x, q.y, isGum ? 9 : 12));
          if (std::isnan(want))
            EXPECT_TRUE(std::isnan(field[x][y])) << id << " " << x << "," << y;
          else
            EXPECT_EQ(field[x][y], want) << id << " " << x << "," << y;
        }
    }
  }
}

TEST_F(ImageComputatorOrbitFractalTest, OrbitEndsAndDegenerateCounts) {
  double const p[3] = {0.001, -0.8, 0.05};
  Orbit orbit;
  // |y| near 1e9 sends x' past 1e20 at once: the start alone.
  EXPECT_EQ((orbitfractal::followOrbit<GumFractalMap, true>(p, 0.5, 1e9, 4, orbit)), 1);
  orbit.clear();
  EXPECT_EQ((orbitfractal::followOrbit<GumFractalMap, true>(p, kNaN, 0, 4, orbit)), 4);  // NaN never stops it
  orbit.clear();
  EXPECT_EQ((orbitfractal::followOrbit<DynFractalMap, false>(p, 1e300, -1e300, 50, orbit)), 50);
  EXPECT_EQ(orbit.size(), 2u);

  // One point per orbit: the distance is 0 everywhere, however far out.
  auto s = withParameters<SnapshotDynFractal>(1, "OA_Distance");
  s.getCore().setView(View(1e308, -1e308, 1e300, 30, true, false));
  RawField field(8, 8), fallback(8, 8);
  NullComputationNotifier notifier;
  dyn.computeImage(s, 8, 8, field, notifier);
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y) EXPECT_EQ(field[x][y], 0) << x << "," << y;
  // An analyzer nobody registered computes as the distance one.
  auto const known = withParameters<SnapshotDynFractal>(5, "OA_Distance");
  auto const unknown = withParameters<SnapshotDynFractal>(5, "OA_NotRegistered");
  dyn.computeImage(known, 8, 8, field, notifier);
  dyn.computeImage(unknown, 8, 8, fallback, notifier);
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y) EXPECT_EQ(fallback[x][y], field[x][y]) << x << "," << y;
  EXPECT_NE(field[1][1], 4);
}

TEST_F(ImageComputatorOrbitFractalTest, CancelIsSeenWithinALongRow) {
  // 10,000 points per pixel: a cancel stops the first row after a few dozen pixels.
  auto const s = withParameters<SnapshotDynFractal>(10000, "OA_Length");
  RawField field(2048, 4);
  field.fill(-1);
  gen_test::CountingNotifier notifier(0);  // cancelled from the start
  dyn.computeImage(s, 2048, 4, field, notifier, 1);
  int done = 0;
  while (done < 2048 && field[done][0] != -1) ++done;
  EXPECT_GT(done, 0);
  EXPECT_LE(done, 64);
  for (int x = 0; x < 2048; ++x) EXPECT_EQ(field[x][1], -1);
  EXPECT_LE(notifier.steps, 1);
}

}  // namespace
}  // namespace orlenza
