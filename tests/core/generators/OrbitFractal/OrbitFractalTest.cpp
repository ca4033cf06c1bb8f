#include <gtest/gtest.h>

#include <limits>
#include <set>

#include "core/engine/OrbitAnalyzer.h"
#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/Halley/SnapshotHalley.h"
#include "core/generators/OrbitFractal/ImageComputatorOrbitFractal.h"
#include "core/generators/OrbitFractal/ParameterPaneOrbitFractal.h"
#include "core/generators/OrbitFractal/SnapshotOrbitFractal.h"
#include "core/geometry/GeometryNfold.h"

namespace orlenza {
namespace {

using gen_test::readRecord;
using gen_test::textOf;

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

template <class Pane>
void lockAll(Pane& pane, bool locked) {
  for (int index : {101, 102, 103, Pane::kIterationsLock, 700}) pane.setLocked(index, locked);
}

class ParameterPaneOrbitFractalTest : public gen_test::CoreTest {
 protected:
  ParameterPaneDynFractal dynPane;
  ParameterPaneGumFractal gumPane;
};

TEST_F(ParameterPaneOrbitFractalTest, SnapshotToTextsAndBackWithTheCountClamped) {
  SnapshotDynFractal s;
  s.getParameters().setParameter(0, 1.0 / 3.0);
  s.getParameters().setIterations(77);
  s.getParameters().analyzerID = "OA_Gravity";
  dynPane.updateFromSnapshot(s);
  auto back = dynPane.makeNewSnapshot();
  dynPane.updateToSnapshot(*back);
  auto const& q = dynamic_cast<SnapshotDynFractal&>(*back).getParameters();
  struct Typed {
    char const* text;
    int count;
  } const typed[] = {{"50000", 10000}, {"0", 1}, {"-4", 1}, {"nan", 1}, {"rubbish", 1}, {"9999999999999999999", 10000}};
  for (auto const& t : typed) {
    dynPane.setFieldText(3, t.text);
    dynPane.updateToSnapshot(*back);
    EXPECT_EQ(q.getIterations(), t.count) << t.text;
  }
  EXPECT_THROW(gumPane.updateToSnapshot(s), PlatformError);  // the sibling kind is foreign too
}

TEST_F(ParameterPaneOrbitFractalTest, RandomSnapshotsHonourLocksAndNeverDwell) {
  auto start = std::make_shared<SnapshotGumFractal>();
  start->getParameters().setIterations(3);
  start->getParameters().analyzerID = "OA_Dwell";
  start->setName("named");
  gen_test::giveBusyCore(*start);

  lockAll(gumPane, false);
  std::set<std::string> analyzers;
  std::set<int> counts;
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    RandomUtils::seed(seed);
    auto const r = gumPane.makeRandomSnap(start);
    auto const& p = dynamic_cast<SnapshotGumFractal&>(*r).getParameters();
    for (unsigned i = 0; i < 3; ++i) EXPECT_TRUE(p.getParameter(i) >= -5 && p.getParameter(i) <= 5);
    counts.insert(p.getIterations());
    analyzers.insert(p.analyzerID);
  }
  EXPECT_EQ(counts.size(), 25u);
  EXPECT_EQ(*counts.begin(), 1);
  EXPECT_EQ(*counts.rbegin(), 25);
  EXPECT_EQ(analyzers.count("OA_Dwell"), 0u);
  EXPECT_EQ(analyzers.size(), OrbitAnalyzerController::getAnalyzers().size() - 1);

  // Only the count open: the coefficients and the analyzer stay.
  lockAll(dynPane, true);
  dynPane.setLocked(201, false);
  auto const dyn = std::make_shared<SnapshotDynFractal>();
  dyn->getParameters().analyzerID = "OA_Dwell";
  auto const drawn = dynPane.makeRandomSnap(dyn);
  auto const& d = dynamic_cast<SnapshotDynFractal&>(*drawn).getParameters();
  EXPECT_EQ(d.analyzerID, "OA_Dwell");
  EXPECT_EQ(d.getParameter(1), 3.0);

  EXPECT_THROW(gumPane.makeRandomSnap(dyn), PlatformError);
}


using SnapshotOrbitFractalTest = gen_test::CoreTest;

TEST_F(SnapshotOrbitFractalTest, ThreeCoefficientsDefaultsAndRangeErrors) {
  DynFractalParameters dyn;
  GumFractalParameters gum;
  EXPECT_EQ(dyn.getNumParameters(), 3u);
  EXPECT_EQ(textOf(dyn), "-1.5 3 4.5 12 OA_Distance ");
  EXPECT_EQ(textOf(gum), "0.001 -0.8 0.05 4 OA_Distance ");
  for (unsigned long index : {3ul, 4ul, ~0ul}) {
    gen_test::expectRangeError([&] { dyn.setParameter(index, 1.0); }, "Range error for DynFractalParameters");
    gen_test::expectRangeError([&] { gum.getParameter(index); }, "Range error for GumFractalParameters");
  }
  // Equality: coefficients within 1e-10, then count and analyzer exactly.
  DynFractalParameters other;
  other.setParameter(1, 3.0 + 5e-11);
  EXPECT_TRUE(other == dyn);
  other.setIterations(13);
  EXPECT_FALSE(other == dyn);
  other = dyn;
  other.analyzerID = "OA_Angle";
  EXPECT_FALSE(other == dyn);
  for (long long count : {0ll, -7ll, 10001ll, 1ll << 40}) {
    other.setIterations(count);
    EXPECT_EQ(other.getIterations(), count < 1 ? 1 : 10000) << count;
  }
}

TEST_F(SnapshotOrbitFractalTest, CountTokensAreWholeNumbersKeptAsRead) {
  struct Case {
    std::string token;
    int count;  // 0: the record fails
  } const cases[] = {
      {"25", 25},       {"-3", -3},  {"10001", 10001}, {"2147483647", 2147483647}, {"7.9", 0}, {"1e30", 0},
      {"2147483648", 0}, {"inf", 0}, {std::string(400, '9'), 0}, {"nan", 0}, {"12x", 0}, {"", 0},
  };
  for (auto const& c : cases) {
    DynFractalParameters p;
    p.setIterations(3);
    std::istringstream is("1 2 3 " + c.token + " OA_Real ");
    p.inputParameters(is);
    if (c.count == 0) {
      EXPECT_FALSE(is) << c.token;
      EXPECT_EQ(p.getIterations(), 3) << c.token;
      EXPECT_EQ(p.getParameter(0), -1.5) << c.token;  // all or nothing
    } else {
      EXPECT_TRUE(is) << c.token;
      EXPECT_EQ(p.getIterations(), c.count) << c.token;
      EXPECT_EQ(p.analyzerID, "OA_Real");
    }
  }
}

TEST_F(SnapshotOrbitFractalTest, OldDynFractalRecordsHoldThreeNumbers) {
  // Version 2 cores have no geometry block and no second post-filter.
  std::string const core = "0 0 2.5 0 0 0 2 0 0 0 0 1 65535 65535 65535 1 0 pf_none 0 norm_lin 6 0 1 ";
  auto const dyn = readRecord("DynFractal " + core + " 1 2 3 oldname", 2);
  ASSERT_TRUE(dyn);
  auto const& p = dynamic_cast<SnapshotDynFractal&>(*dyn).getParameters();
  EXPECT_EQ(p.getParameter(2), 3);
  EXPECT_EQ(p.getIterations(), 12);
  EXPECT_EQ(p.analyzerID, "OA_Distance");
  EXPECT_EQ(dyn->getName(), "oldname");
  auto const oldGum = readRecord("GumFractal " + core + " 1 2 3 7 OA_Real oldname", 2);
  ASSERT_TRUE(oldGum);
  EXPECT_EQ(dynamic_cast<SnapshotGumFractal&>(*oldGum).getParameters().getIterations(), 7);
  EXPECT_FALSE(readRecord("GumFractal " + core + " 1 2 3 oldname", 2));
}

TEST_F(SnapshotOrbitFractalTest, MorphTakesTheDefaultAnalyzerAndATruncatedCount) {
  auto a = std::make_shared<SnapshotDynFractal>();
  auto b = std::make_shared<SnapshotDynFractal>();
  a->getParameters().setIterations(12);
  a->getParameters().analyzerID = "OA_Angle";
  b->getParameters().setIterations(25);
  b->getParameters().setParameter(0, 2.5);
  b->getParameters().analyzerID = "OA_Angle";
  b->getCore().setNorm(20);
  auto const morphed = [&](double t) {
    return dynamic_cast<SnapshotDynFractal const&>(*a->morphTowards(b, t)).getParameters();
  };
  auto const half = a->morphTowards(b, 0.5);
  auto const& halfParameters = dynamic_cast<SnapshotDynFractal const&>(*half).getParameters();
  EXPECT_EQ(halfParameters.getIterations(), 18);
  EXPECT_EQ(halfParameters.analyzerID, "OA_Distance");
  EXPECT_EQ(halfParameters.getParameter(0), 0.5);
  EXPECT_EQ(half->getCore().getNorm(), 13);
  EXPECT_EQ(morphed(kNaN).getIterations(), 12);
  EXPECT_EQ(morphed(-1).getIterations(), -1);
  EXPECT_EQ(morphed(1e300).getIterations(), 2147483647);
}

}  // namespace
}  // namespace orlenza
