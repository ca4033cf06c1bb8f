#include "core/generators/Biomorph/ImageComputatorBiomorph.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <complex>
#include <cstring>
#include <limits>
#include <string>
#include <typeinfo>
#include <vector>

#include "core/CoreRegistration.h"
#include "core/engine/OrbitAnalyzer.h"
#include "core/engine/PlaneSampler.h"
#include "core/generators/Biomorph/BiomorphKernel.h"
#include "core/generators/Biomorph/SnapshotBiomorph.h"
#include "core/generators/Halley/SnapshotHalley.h"
#include "core/geometry/GeometryDisk.h"

namespace orlenza {
namespace {

using Complex = std::complex<double>;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The orbit of one plane point written out with std::complex, apart from the
// kernel: blend, step, radius 100, count, then the biomorph test.
std::vector<Complex> referenceOrbit(BiomorphParameters const& p, double px, double py) {
  double const t = p.getTheta(), f = p.getPhi();
  double const zx = t * px + (1 - t) * p.fixedRe, zy = t * py + (1 - t) * p.fixedIm;
  double const cx = (1 - t) * px + t * p.fixedRe, cy = (1 - t) * py + t * p.fixedIm;
  Complex z(zx * (1 - f) + cy * f, zy);
  Complex const c(cx, zx * f + cy * (1 - f));
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

class CountingNotifier : public ComputationNotifier {
 public:
  explicit CountingNotifier(long cancelAfter = -1) : m_cancelAfter(cancelAfter) {}
  void initialize(long total) override { totals.push_back(total); }
  void iterate() override { ++steps; }
  bool areWeCanceled() const override { return m_cancelAfter >= 0 && steps >= m_cancelAfter; }
  std::vector<long> totals;
  long steps = 0;

 private:
  long m_cancelAfter;
};

SnapshotBiomorph snapshot(View const& view, BiomorphParameters const& p) {
  SnapshotCore core;
  core.setView(view);
  return SnapshotBiomorph("", core, p);
}

class ImageComputatorBiomorphTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registerCoreFamilies(); }

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
  EXPECT_EQ(AbstractImageComputator::getComputatorFromID("Biomorph"), &computator);
  EXPECT_TRUE(computator.getDefaultView() == View(0, 0, 1, 0, false, false));

  BiomorphParameters plane;  // theta 0: c is the point, z starts at 0.5
  // c = 0: 0.5, 0.25, 0.0625 ... never leaves; the test collapses it.
  EXPECT_EQ(valueAt(plane, 0, 0), 0);
  // c = 2: 0.5, 2.25, 7.0625, 51.88, then 2693.4 escapes with Im 0.
  EXPECT_EQ(valueAt(plane, 2, 0), 0);
  plane.biomorphTest = false;
  EXPECT_EQ(valueAt(plane, 0, 0), 31);
  EXPECT_EQ(valueAt(plane, 2, 0), 3);

  BiomorphParameters dyn;  // theta 1: z starts at the point, c = 0.5
  dyn.setTheta(1);
  // 5 + 3i -> 16.5 + 30i -> -627.25 + 990i: both parts at least 100, dwell kept.
  EXPECT_EQ(valueAt(dyn, 5, 3), 1);
  // 200 + 100i escapes at once: a single point either way.
  EXPECT_EQ(valueAt(dyn, 200, 100), 0);
  dyn.analyzerID = "OA_Distance";
  EXPECT_DOUBLE_EQ(valueAt(dyn, 5, 3), std::hypot(11.5, 27.0));

  // phi 1 with theta 0: z = (Py, Ky), c = (Px, Kx).
  BiomorphParameters swap;
  swap.setPhi(1);
  swap.fixedRe = 3;
  swap.fixedIm = -1;
  ComplexDouble z, c;
  BiomorphKernel(swap).blend(1, 2, z, c);
  EXPECT_TRUE(z == (ComplexDouble{2, -1}));
  EXPECT_TRUE(c == (ComplexDouble{1, 3}));
  swap.setTheta(0.25);
  swap.setPhi(0.5);
  BiomorphKernel(swap).blend(1, 2, z, c);
  EXPECT_TRUE(z == (ComplexDouble{1.875, -0.25}));
  EXPECT_TRUE(c == (ComplexDouble{1.5, 1.875}));
}

TEST_F(ImageComputatorBiomorphTest, StepsAgreeWithTheLibrarysComplexFunctions) {
  BiomorphParameters p;
  p.coefficients = {0.3, -1.1, 0.7, 2.5, -0.25, 0.125};
  p.sinWeight = 1.5;
  p.expWeight = -0.75;
  p.powWeight = 0.6;
  BiomorphKernel const kernel(p);
  for (Complex z : {Complex(0.3, 0.4), Complex(-1.2, 0.9), Complex(2, -3), Complex(-0.5, -0.1)}) {
    Complex const c(0.2, -0.7);
    Complex poly = 0.125;
    for (double k : {-0.25, 2.5, 0.7, -1.1, 0.3}) poly = poly * z + k;
    Complex const expected =
        c + z * poly + 1.5 * std::sin(z) - 0.75 * std::exp(z) + 0.6 * std::pow(z, z);
    ComplexDouble const w = kernel.step({z.real(), z.imag()}, {c.real(), c.imag()});
    EXPECT_NEAR(w.re, expected.real(), 1e-12 * std::abs(expected)) << z;
    EXPECT_NEAR(w.im, expected.imag(), 1e-12 * std::abs(expected)) << z;
  }
  // z^z at 0 is NaN and runs to the count; exp of a large part is infinite and escapes.
  BiomorphParameters pow0;
  pow0.setTheta(1);
  pow0.fixedRe = 0;
  pow0.coefficients = {0, 0, 0, 0, 0, 0};
  pow0.powWeight = 1;
  pow0.biomorphTest = false;
  EXPECT_EQ(valueAt(pow0, 0, 0), 31);
  BiomorphParameters huge = pow0;
  huge.powWeight = 0;
  huge.expWeight = 1;
  EXPECT_EQ(valueAt(huge, 800, 0.5), 0);
}

TEST_F(ImageComputatorBiomorphTest, PicturesMatchTheReferenceForEveryAnalyzerAndThreadCount) {
  BiomorphParameters def;
  BiomorphParameters dynamical;
  dynamical.setTheta(1);
  BiomorphParameters rich;
  rich.coefficients = {0.5, 1, 0, 0.8, 0, 0};
  rich.sinWeight = 1;
  rich.setTheta(0.6);
  rich.setPhi(0.3);
  rich.fixedIm = 0.4;
  rich.setNumIter(50);
  BiomorphParameters transcendental = rich;
  transcendental.expWeight = 0.5;
  transcendental.powWeight = 0.2;
  transcendental.biomorphTest = false;
  View const view(0.1, -0.2, 1.6, 20, true, false);
  int const w = 23, h = 17;
  PlaneSampler const sampler(view, w, h);
  for (BiomorphParameters p : {def, dynamical, rich, transcendental}) {
    for (char const* analyzer : {"OA_Dwell", "OA_Length", "OA_Unregistered"}) {
      p.analyzerID = analyzer;
      OrbitAnalyzer const* a = OrbitAnalyzer::getAnalyzerFromID(analyzer);
      RawField one(w, h), many(w, h);
      CountingNotifier n1, n4;
      computator.computeImage(snapshot(view, p), w, h, one, n1, 1);
      computator.computeImage(snapshot(view, p), w, h, many, n4, 4);
      EXPECT_EQ(std::memcmp(one.data(), many.data(), one.cellCount() * sizeof(double)), 0);
      EXPECT_EQ(n1.totals, std::vector<long>{h});
      EXPECT_EQ(n1.steps, h);
      int nonZero = 0;
      for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) {
          Coord2D const q = sampler.getXY(x, y);
          auto const ref = referenceOrbit(p, q.x, q.y);
          Orbit orbit;
          for (Complex v : ref) orbit.add(v.real(), v.imag());
          double const expected = a ? a->extract(orbit) : double(ref.size() - 1);
          ASSERT_NEAR(one[x][y], expected, 1e-9 * (1 + std::fabs(expected))) << analyzer << " " << x << "," << y;
          nonZero += one[x][y] != 0;
        }
      EXPECT_GT(nonZero, 0) << analyzer;
    }
  }
}

TEST_F(ImageComputatorBiomorphTest, AbsurdValuesComputeStayInTheFieldAndCancelWithinARow) {
  // Counts stored past the range (from files, through the setters) compute
  // with 1 ... 32767 points; no orbit is ever empty.
  BiomorphParameters one;
  one.setNumIter(-4);
  one.biomorphTest = false;
  for (char const* analyzer : {"OA_Dwell", "OA_Closeness", "OA_Distance"}) {
    one.analyzerID = analyzer;
    EXPECT_EQ(valueAt(one, 0.1, 0.1), analyzer == std::string("OA_Closeness") ? 1 : 0) << analyzer;
  }

  BiomorphParameters wild;
  wild.coefficients = {1e300, -1e308, kNaN, 0, 1e200, 0};
  wild.sinWeight = 1e300;
  wild.expWeight = INFINITY;
  wild.powWeight = kNaN;
  wild.fixedRe = 1e308;
  wild.fixedIm = -INFINITY;
  wild.setTheta(0.5);
  BiomorphParameters nanK;
  nanK.fixedRe = kNaN;
  nanK.biomorphTest = false;
  for (BiomorphParameters const& p : {wild, nanK}) {
    RawField a(31, 19), b(31, 19);
    CountingNotifier n1, n3;
    computator.computeImage(snapshot(View(0, 0, 2, 0, false, false), p), 31, 19, a, n1, 1);
    computator.computeImage(snapshot(View(0, 0, 2, 0, false, false), p), 31, 19, b, n3, 3);
    EXPECT_EQ(std::memcmp(a.data(), b.data(), a.cellCount() * sizeof(double)), 0);
    for (int x = 0; x < 31; ++x)
      for (int y = 0; y < 19; ++y) ASSERT_TRUE(std::isnan(a[x][y]) || (a[x][y] >= 0 && a[x][y] <= 31));
  }
  EXPECT_EQ(valueAt(nanK, 0.3, 0.3), 31);  // a NaN orbit runs to the count

  // Non-finite plane points are NaN samples.
  auto disk = snapshot(View(0, 0, 2, 0, false, false), BiomorphParameters());
  disk.getCore().setGeometry(std::make_shared<GeometryDisk>());
  RawField field(61, 37);
  CountingNotifier notifier;
  computator.computeImage(disk, 61, 37, field, notifier, 1);
  EXPECT_TRUE(std::isnan(field[30][18]));
  EXPECT_FALSE(std::isnan(field[5][5]));

  // Sizes beyond the field and foreign kinds.
  RawField small(4, 4);
  small.fill(-1);
  computator.computeImage(snapshot(View(), BiomorphParameters()), 5000, 100, small, notifier);
  for (int x = 0; x < 4; ++x)
    for (int y = 0; y < 4; ++y) EXPECT_GE(small[x][y], 0);
  EXPECT_THROW(computator.computeImage(SnapshotHalley(), 4, 4, small, notifier), std::bad_cast);

  // 2048 pixels of 32767 steps each are 67 million steps in one row; a
  // cancel is seen after at most 2^16 of them.
  BiomorphParameters slow;
  slow.coefficients = {0, 0, 0, 0, 0, 0};
  slow.setNumIter(1 << 20);
  RawField wide(2048, 4);
  wide.fill(-1);
  CountingNotifier cancelled(0);
  auto const start = std::chrono::steady_clock::now();
  computator.computeImage(snapshot(View(0, 0, 0.1, 0, false, false), slow), 2048, 4, wide, cancelled, 1);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  int done = 0;
  for (int x = 0; x < 2048; ++x) done += wide[x][0] != -1;
  EXPECT_GE(done, 1);
  EXPECT_LE(done, 3);
  EXPECT_EQ(wide[0][1], -1);
}

}  // namespace
}  // namespace orlenza
