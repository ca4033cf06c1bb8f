#include <gtest/gtest.h>

#include <complex>
#include <limits>

#include "core/engine/OrbitAnalyzer.h"
#include "core/engine/PlaneSampler.h"
#include "core/generators/Biomorph/BiomorphParameters.h"
#include "core/generators/Biomorph/ImageComputatorBiomorph.h"
#include "core/generators/Biomorph/ParameterPaneBiomorph.h"
#include "core/generators/Biomorph/SnapshotBiomorph.h"
#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/Halley/SnapshotHalley.h"

namespace orlenza {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool readInto(BiomorphParameters& p, std::string const& text) {
  std::istringstream is(text);
  p.inputParameters(is);
  return !is.fail();
}

TEST(BiomorphParameters, SettersClampAndBadIndicesThrow) {
  BiomorphParameters p;
  EXPECT_THROW(p.setParameter(14, 1), PlatformError);
  EXPECT_THROW(p.getParameter(1000), PlatformError);
  for (auto [in, out] : {std::pair{1.5, 1.0}, {-0.2, 0.0}, {0.25, 0.25}, {kNaN, 0.0}, {-INFINITY, 0.0}}) {
    p.setParameter(BiomorphParameters::kTheta, in);
    p.setPhi(in);
    EXPECT_EQ(p.getTheta(), out) << in;
    EXPECT_EQ(p.getPhi(), out) << in;
  }
  for (auto [in, out] : {std::pair{0.7, 1}, {12.9, 12}, {-12.9, 1}, {40000.0, 32767}, {INFINITY, 32767}}) {
    p.setParameter(BiomorphParameters::kNumIter, in);
    EXPECT_EQ(p.getNumIter(), out) << in;
  }
  p.setParameter(13, kNaN);  // no count at all: the one held stays
  EXPECT_EQ(p.getNumIter(), 32767);
  p.setNumIter(1ll << 40);
  EXPECT_EQ(p.getNumIter(), 32767);
  p.setNumIter(-5);
  EXPECT_EQ(p.getNumIter(), 1);
}

TEST(BiomorphParameters, TextFormRoundTripAndFaultyRecords) {
  BiomorphParameters p;
  EXPECT_EQ(gen_test::textOf(p), "0 1 0 0 0 0 0 0 0 0 0 0.5 0 OA_Dwell 1 32 ");
  p.analyzerID = "OA_Angle";

  // Angles and counts as other writers may have left them.
  struct Read {
    char const *theta, *count;
    double thetaOut;
    int countOut;
  } const reads[] = {{"1.5", "32", 1, 32},     {"-0.2", "8", 0, 8}, {"nan", "40000", 0, 32767},
                     {"0.5", "12.9", 0.5, 12}, {"0", "0", 0, 1},    {"0", "-99999999999999999999", 0, 1},
                     {"0", "99999999999999999999", 0, 32767},       {"0", "-inf", 0, 1}};
  for (auto const& r : reads) {
    BiomorphParameters q;
    std::string const text = std::string("0 1 0 0 0 0 0 0 0 ") + r.theta + " " + r.theta + " 0.5 0 OA_Dwell 1 " + r.count;
    ASSERT_TRUE(readInto(q, text)) << text;
    EXPECT_EQ(q.getTheta(), r.thetaOut) << text;
    EXPECT_EQ(q.getPhi(), r.thetaOut) << text;
    EXPECT_EQ(q.getNumIter(), r.countOut) << text;
  }
  // A failed record changes nothing.
  for (char const* text : {"0 1 0 0 0 0 0 0 0 0.5 0 0.5 0 OA_Dwell 1 nan", "0 1 0 0 0 0 0 0 0 0.5 0 0.5 0 OA_Dwell x 12",
                           "0 1 0 0 0 0 0 0 0 0.5 0 0.5 0 OA_Dwell 1"}) {
    BiomorphParameters q = p;
    EXPECT_FALSE(readInto(q, text)) << text;
    EXPECT_TRUE(q == p) << text;
    EXPECT_EQ(q.analyzerID, "OA_Angle") << text;
  }
}

TEST(BiomorphParameters, EqualityAndMorph) {
  BiomorphParameters a, b;
  b.coefficients[2] = 5e-11;  // inside the tolerance
  EXPECT_TRUE(a == b);
  b.biomorphTest = false;
  EXPECT_FALSE(a == b);
  a.setTheta(0.2);
  a.fixedRe = 1;
  b.setNumIter(8);
  b.setTheta(1);
  b.fixedRe = -3;
  b.analyzerID = "OA_Length";
  BiomorphParameters m;
  m.morph(a, b, 0.5);
  EXPECT_EQ(m.getNumIter(), 20);
  EXPECT_DOUBLE_EQ(m.getTheta(), 0.6);
  EXPECT_EQ(m.fixedRe, -1);
  EXPECT_EQ(m.analyzerID, "OA_Dwell");
  EXPECT_TRUE(m.biomorphTest);
  m.morph(a, b, 3);  // past the ends the setters keep the ranges
  EXPECT_EQ(m.getTheta(), 1);
  EXPECT_EQ(m.getNumIter(), 1);
  m.morph(a, b, kNaN);
  EXPECT_EQ(m.getTheta(), 0);
  EXPECT_EQ(m.getNumIter(), 32);
}

using gen_test::CountingNotifier;

using Complex = std::complex<double>;

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

using Pane = ParameterPaneBiomorph;
constexpr int kLocks[16] = {101, 102, 103, 104, 105, 106, 107, 108, 109, 111, 112, 121, 122, 201, 501, 700};

BiomorphParameters const& paramsOf(std::shared_ptr<Snapshot> const& s) {
  return dynamic_cast<SnapshotBiomorph&>(*s).getParameters();
}

class ParameterPaneBiomorphTest : public gen_test::CoreTest {
 protected:
  Pane pane;
};

TEST_F(ParameterPaneBiomorphTest, FieldsDefaultsAndTypedClamps) {
  ASSERT_EQ(pane.fieldCount(), 16u);
  for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(pane.fields()[i].lockIndex, kLocks[i]) << i;
  EXPECT_EQ(pane.fields()[Pane::kTestField].kind, FieldKind::CheckBox);

  BiomorphParameters p;
  p.coefficients[0] = 1.0 / 3;
  p.analyzerID = "OA_Angle";
  p.biomorphTest = false;
  p.setNumIter(517);
  pane.updateFromSnapshot(SnapshotBiomorph("", SnapshotCore(), p));
  EXPECT_EQ(pane.fieldText(0), "0.3333333333");
  EXPECT_EQ(pane.fieldText(Pane::kNumIterField), "517");
  auto back = pane.makeNewSnapshot();
  pane.updateToSnapshot(*back);
  EXPECT_EQ(paramsOf(back).getNumIter(), 517);
  EXPECT_FALSE(paramsOf(back).biomorphTest);
  EXPECT_EQ(paramsOf(back).analyzerID, "OA_Angle");
  struct Typed {
    char const *theta, *count;
    double thetaOut;
    int countOut;
  } const typed[] = {{"2", "0", 1, 1}, {"-3", "99999", 0, 32767}, {"nan", "-5", 0, 1}, {"0.5", "12.9", 0.5, 12}};
  for (auto const& t : typed) {
    pane.setFieldText(9, t.theta);
    pane.setFieldText(10, t.theta);
    pane.setFieldText(Pane::kNumIterField, t.count);
    pane.updateToSnapshot(*back);
    EXPECT_EQ(paramsOf(back).getTheta(), t.thetaOut) << t.theta;
    EXPECT_EQ(paramsOf(back).getPhi(), t.thetaOut) << t.theta;
    EXPECT_EQ(paramsOf(back).getNumIter(), t.countOut) << t.count;
  }
}

TEST_F(ParameterPaneBiomorphTest, RandomSnapshotsHonourLocks) {
  BiomorphParameters p;
  p.coefficients = {-7, -7, -7, -7, -7, -7};
  p.sinWeight = p.expWeight = p.powWeight = p.fixedRe = p.fixedIm = -7;
  p.setTheta(0.123);
  p.setNumIter(999);
  p.biomorphTest = false;
  auto const start = std::make_shared<SnapshotBiomorph>("", SnapshotCore(), p);
  for (int lock : kLocks) pane.setLocked(lock, lock == 103);
  int keptC0 = 0, keptPow = 0, theta0 = 0, thetaMid = 0, count32 = 0, tests = 0;
  RandomUtils::seed(123);
  for (int i = 0; i < 1000; ++i) {
    BiomorphParameters const q = paramsOf(pane.makeRandomSnap(start));
    EXPECT_EQ(q.coefficients[2], -7);
    for (double v : {q.coefficients[0], q.sinWeight, q.powWeight})
      ASSERT_TRUE(v == -7 || (v >= 0.5 && v <= 2.5)) << v;
    ASSERT_TRUE(q.fixedRe == -7 || (q.fixedRe >= -1.5 && q.fixedRe <= 1.5));
    ASSERT_TRUE(q.getNumIter() == 32 || (q.getNumIter() >= 3 && q.getNumIter() <= 24)) << q.getNumIter();
    keptC0 += q.coefficients[0] == -7;
    keptPow += q.powWeight == -7;
    theta0 += q.getTheta() == 0;
    thetaMid += q.getTheta() > 0 && q.getTheta() < 1;
    count32 += q.getNumIter() == 32;
    tests += q.biomorphTest;
  }
  EXPECT_NEAR(keptC0, 500, 80);
  EXPECT_NEAR(keptPow, 900, 50);
  EXPECT_NEAR(theta0, 300, 70);
  EXPECT_NEAR(thetaMid, 400, 70);
  EXPECT_NEAR(count32, 750, 70);
  EXPECT_NEAR(tests, 250, 70);
}

}  // namespace
}  // namespace orlenza
