#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <set>
#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

#include "core/CoreRegistration.h"
#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/engine/OrbitAnalyzer.h"
#include "core/generators/EscapeTime/EscapeReference.h"
#include "core/generators/EscapeTime/SnapshotEscapeParams.h"
#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/Halley/HalleyParameters.h"
#include "core/generators/Halley/ImageComputatorHalley.h"
#include "core/generators/Halley/ParameterPaneHalley.h"
#include "core/generators/Halley/SnapshotHalley.h"
#include "core/geometry/GeometryDisk.h"
#include "core/geometry/GeometryNfold.h"
#include "core/geometry/GeometrySwirl.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

HalleyParameters readFrom(std::string const& text, bool* failed = nullptr) {
  HalleyParameters p;
  std::istringstream is(text);
  p.inputParameters(is);
  if (failed) *failed = is.fail();
  return p;
}

TEST(HalleyParameters, LambdaIsItsMagnitudeClampedEverywhere) {
  struct Case {
    char const* token;
    double given, held;
  } const cases[] = {
      {"-0.5", -0.5, 0.5}, {"0", 0, 0.001}, {"5", 5, 2}, {"0.000999", 0.000999, 0.001},
      {"1.999", 1.999, 1.999}, {"-inf", -kInf, 2}, {"nan", kNaN, 1},
  };
  for (auto const& c : cases) {
    HalleyParameters p;
    p.setLambda(c.given);
    EXPECT_EQ(p.getLambda(), c.held) << c.token;
    // Reading applies the same rule.
    std::string const text = std::string("1 2 3 4 5 6 7 8 9 10 11 12 13 ") + c.token + " 0 OA_Dwell ";
    bool failed = true;
    HalleyParameters const read = readFrom(text, &failed);
    ASSERT_FALSE(failed) << text;
    EXPECT_EQ(read.getLambda(), c.held) << text;
    EXPECT_EQ(read.coefficients[12], 13);
  }
}

TEST(HalleyParameters, AnyConvergenceTestIsReadAndKept) {
  struct Case {
    char const* token;
    int held;
  } const cases[] = {{"7", 7}, {"-5", -5}, {"2000000000", 2000000000},
                     {"99999999999", std::numeric_limits<int>::max()}, {"-99999999999", std::numeric_limits<int>::min()}};
  for (auto const& c : cases) {
    std::string const text = std::string("0 -1 0 0 0 0 0 1 0 0 0 0 0 1 ") + c.token + " OA_Whatever ";
    bool failed = true;
    HalleyParameters const p = readFrom(text, &failed);
    ASSERT_FALSE(failed) << text;
    EXPECT_EQ(p.convergenceTest, c.held) << text;
    EXPECT_EQ(p.analyzerID, "OA_Whatever");
  }
}

TEST(HalleyParameters, Equality) {
  HalleyParameters const a;
  HalleyParameters b;
  EXPECT_TRUE(a == b);
  b.coefficients[12] += 5e-11;
  EXPECT_TRUE(a == b);
  b.coefficients[12] += 1e-10;
  EXPECT_FALSE(a == b);
  b = a;
  b.setLambda(1.0 + 1e-15);  // lambda compares exactly
  EXPECT_FALSE(a == b);
  b = a;
  b.convergenceTest = 7;  // computes as 0, but is another value
  EXPECT_FALSE(a == b);
  b = a;
  b.analyzerID = "OA_Real";
  EXPECT_FALSE(a == b);
  b = a;
  b.coefficients[0] = kNaN;
  EXPECT_FALSE(b == b);
}

TEST(HalleyParameters, MorphIsLinearWithLambdaClamped) {
  HalleyParameters a;
  HalleyParameters b;
  for (std::size_t k = 0; k < 13; ++k) {
    a.coefficients[k] = static_cast<double>(k);
    b.coefficients[k] = 10.0 + 3.0 * static_cast<double>(k);
  }
  a.setLambda(0.5);
  b.setLambda(2);
  a.convergenceTest = 2;
  b.convergenceTest = 1;
  a.analyzerID = "OA_First";
  b.analyzerID = "OA_Second";
  struct Case {
    double t, lambda, c0, c12;
  } const cases[] = {
      {0, 0.5, 0, 12},     {1, 2, 10, 46},      {0.5, 1.25, 5, 29},
      {2, 2, 20, 80},      // (1 - 2) 0.5 + 2 * 2 = 3.5, clamped
      {-1, 1, -10, -22},   // 2 * 0.5 - 2 = -1, its magnitude
      {-0.2, 0.2, -2, 5.2},  // 0.6 - 0.4
  };
  for (auto const& c : cases) {
    HalleyParameters m;
    m.morph(a, b, c.t);
    EXPECT_DOUBLE_EQ(m.getLambda(), c.lambda) << c.t;
    EXPECT_DOUBLE_EQ(m.coefficients[0], c.c0) << c.t;
    EXPECT_DOUBLE_EQ(m.coefficients[12], c.c12) << c.t;
    EXPECT_EQ(m.convergenceTest, 2);
    EXPECT_EQ(m.analyzerID, "OA_First");
  }
}

TEST(HalleyParameters, GarbageFailsAndChangesNothing) {
  std::string const thirteen = "1 2 3 4 5 6 7 8 9 10 11 12 13 ";
  std::string const bad[] = {
      thirteen,                           // lambda missing
      thirteen + "1 ",                    // test missing
      thirteen + "1 0 ",                  // analyzer missing
      thirteen + "1 0.5 OA_Dwell ",       // test not a whole number
      thirteen + "1 x OA_Dwell ",
      "1 2 3 4 5 6 x 8 9 10 11 12 13 1 0 OA_Dwell ",
      "1 2 3 4 5 6 7 8 9 10 11 12 1e999 1 0 OA_Dwell ",
      thirteen + "1e999 0 OA_Dwell ",
      std::string(10 << 20, '9') + " " + thirteen + "1 0 OA_Dwell",
  };
  for (auto const& text : bad) {
    bool failed = false;
    HalleyParameters const p = readFrom(text, &failed);
    EXPECT_TRUE(failed) << text.substr(0, 60);
    EXPECT_TRUE(p == HalleyParameters()) << text.substr(0, 60);
  }
}

using gen_test::CountingNotifier;

using Coefficients = std::array<double, 13>;
using escape_test::Point;
using escape_test::referencePoint;  // the same sampler as the escape-time map's

// Halley's method written out from its description: powers by repeated
// multiplication from 1, p, p', p'', q = p p'' / p' / 2, D = p' - q,
// z' = z - lambda p / D, quotients by a zero divisor are 0; stop on the test
// or after 31 iterates.
Point mul(Point a, Point b) { return {a.x * b.x - a.y * b.y, a.x * b.y + a.y * b.x}; }
Point quot(Point a, Point b) {
  double const d = b.x * b.x + b.y * b.y;
  if (d == 0) return {0, 0};
  return {(a.x * b.x + a.y * b.y) / d, (a.y * b.x - a.x * b.y) / d};
}

int referenceDwell(Coefficients const& c, double lambda, int test, double x, double y,
                   std::vector<Point>* orbit = nullptr) {
  double d[12], e[11];
  for (int k = 0; k < 12; ++k) d[k] = (k + 1) * c[k + 1];
  for (int k = 0; k < 11; ++k) e[k] = (k + 1) * (k + 2) * c[k + 2];
  Point z{x, y};
  if (orbit) orbit->assign(1, z);
  int n = 0;
  for (;;) {
    Point w[13];
    w[0] = {1, 0};
    for (int k = 1; k < 13; ++k) w[k] = mul(w[k - 1], z);
    Point p{0, 0}, p1{0, 0}, p2{0, 0};
    for (int k = 0; k < 13; ++k) p = {p.x + c[k] * w[k].x, p.y + c[k] * w[k].y};
    for (int k = 0; k < 12; ++k) p1 = {p1.x + d[k] * w[k].x, p1.y + d[k] * w[k].y};
    for (int k = 0; k < 11; ++k) p2 = {p2.x + e[k] * w[k].x, p2.y + e[k] * w[k].y};
    Point q = quot(mul(p, p2), p1);
    q = {q.x * 0.5, q.y * 0.5};
    Point const s = quot(p, {p1.x - q.x, p1.y - q.y});
    Point const next{z.x - lambda * s.x, z.y - lambda * s.y};
    double const dx = next.x - z.x, dy = next.y - z.y;
    bool stop;
    if (test == 1)
      stop = std::fabs((next.x * next.x + next.y * next.y) - (z.x * z.x + z.y * z.y)) < 1e-4;
    else if (test == 2)
      stop = dx * dx < 1e-4 || dy * dy < 1e-4;
    else
      stop = dx * dx + dy * dy < 1e-4;
    if (stop) break;
    z = next;
    if (n + 1 > 31) break;
    ++n;
    if (orbit) orbit->push_back(z);
  }
  return n;
}

Coefficients defaults() { return HalleyParameters().coefficients; }

SnapshotHalley snapshot(View const& view, Coefficients const& c, double lambda = 1, int test = 0,
                        std::string analyzer = "OA_Dwell") {
  SnapshotCore core;
  core.setView(view);
  HalleyParameters p;
  p.coefficients = c;
  p.setLambda(lambda);
  p.convergenceTest = test;
  p.analyzerID = std::move(analyzer);
  return SnapshotHalley("", core, p);
}

class ImageComputatorHalleyTest : public gen_test::CoreTest {
 protected:
  // The value of one point: a 1 x 1 picture is its view's centre.
  double valueAt(double x, double y, Coefficients const& c, double lambda = 1, int test = 0,
                 std::string analyzer = "OA_Dwell") {
    RawField field(1, 1);
    CountingNotifier notifier;
    computator.computeImage(snapshot(View(x, y, 1, 0, false, false), c, lambda, test, std::move(analyzer)), 1, 1,
                            field, notifier, 1);
    return field[0][0];
  }

  ImageComputatorHalley& computator = ImageComputatorHalley::instance();
};

TEST_F(ImageComputatorHalleyTest, SamplesOfTheDefaultPolynomial) {
  // Worked out in plain floating point apart from this code (z^7 - z, lambda 1, test 0):
  // the dwell and the last point kept.
  struct Case {
    double x, y, lambda;
    int dwell;
    double lastX, lastY;
  } const cases[] = {
      {0.5, 0.5, 1, 3, 1.000621121087321, 0.0010807017827255613},
      {-0.3, 0.7, 1, 4, -0.4999248981187424, 0.8659829957234668},
      {0.75, 0.43, 1, 9, -2.204561151686324e-10, -1.2875149731084168e-10},
      {0.5, 0.5, 0.5, 4, 0.980451633645263, 0.00290129251453177},
      {0, 0, 1, 0, 0, 0},   // a root: the first step is 0
      {1, 0, 1, 0, 1, 0},
  };
  for (auto const& c : cases) {
    EXPECT_EQ(valueAt(c.x, c.y, defaults(), c.lambda), c.dwell) << c.x << "," << c.y;
    EXPECT_DOUBLE_EQ(valueAt(c.x, c.y, defaults(), c.lambda, 0, "OA_Real"), std::fabs(c.lastX)) << c.x << "," << c.y;
    EXPECT_DOUBLE_EQ(valueAt(c.x, c.y, defaults(), c.lambda, 0, "OA_Imag"), std::fabs(c.lastY)) << c.x << "," << c.y;
  }
}

TEST_F(ImageComputatorHalleyTest, ConvergenceTests) {
  // z^2 + 1 from 1: Halley's step goes to -1 and back for ever. The step is
  // long, but the modulus and the imaginary part never change.
  Coefficients cycle{};
  cycle[0] = 1;
  cycle[2] = 1;
  struct Case {
    int test;
    double dwell;
  } const cases[] = {{0, 31}, {1, 0}, {2, 0}, {7, 31}, {-5, 31}, {40000, 31}, {2000000000, 31}};
  for (auto const& c : cases) {
    EXPECT_EQ(valueAt(1, 0, cycle, 1, c.test), c.dwell) << c.test;
    // The orbit holds the start and 31 iterates, alternately -1 and 1.
    if (c.dwell == 31) {
      EXPECT_EQ(valueAt(1, 0, cycle, 1, c.test, "OA_Distance"), 2) << c.test;
    }
  }
  EXPECT_EQ(valueAt(1, 0, cycle, 1, 0, "OA_Length"), 62);

  // Test 2 stops as soon as one coordinate rests: every real start of a real
  // polynomial stays on the axis, far from a root or not.
  View const view(0, 0, 1.5, 0, false, false);
  int const w = 24, h = 18;
  for (int test : {0, 1, 2, 3}) {
    RawField field(w, h);
    CountingNotifier notifier;
    computator.computeImage(snapshot(view, defaults(), 1, test), w, h, field, notifier, 1);
    for (int x = 0; x < w; ++x)
      for (int y = 0; y < h; ++y) {
        Point const p = referencePoint(view, w, h, x, y);
        ASSERT_EQ(field[x][y], referenceDwell(defaults(), 1, test, p.x, p.y)) << test << ": " << x << "," << y;
      }
    if (test == 2) {
      for (int x = 0; x < w; ++x) EXPECT_EQ(field[x][h / 2], 0) << x;
    }
  }
}

TEST_F(ImageComputatorHalleyTest, DegeneratePolynomials) {
  View const view(0.1, -0.2, 2, 15, true, false);
  int const w = 17, h = 13;
  Coefficients zero{};
  Coefficients constant{};
  constant[0] = 5;  // p' is 0 everywhere: every step divides by 0
  Coefficients critical{};
  critical[0] = -1;
  critical[2] = 1;  // z^2 - 1: p'(0) = 0
  for (auto const* c : {&zero, &constant}) {
    RawField field(w, h);
    CountingNotifier notifier;
    computator.computeImage(snapshot(view, *c), w, h, field, notifier, 1);
    for (int x = 0; x < w; ++x)
      for (int y = 0; y < h; ++y) ASSERT_EQ(field[x][y], 0) << x << "," << y;
  }
  EXPECT_EQ(valueAt(0, 0, critical), 0);  // a critical point stops at once
  EXPECT_EQ(valueAt(0.3, 0.2, critical), 2);
  EXPECT_EQ(valueAt(0, 0, critical, 1, 0, "OA_Closeness"), 1);  // a one-point orbit
}

TEST_F(ImageComputatorHalleyTest, AnalyzersReadTheOrbitAndUnknownOnesFallBackToTheDwell) {
  View const view(0.2, 0.1, 1.2, 0, false, true);
  int const w = 11, h = 9;
  RawField length(w, h), dwell(w, h), unknown(w, h);
  CountingNotifier n1, n2, n3;
  computator.computeImage(snapshot(view, defaults(), 0.8, 0, "OA_Length"), w, h, length, n1, 1);
  computator.computeImage(snapshot(view, defaults(), 0.8, 0, "OA_Dwell"), w, h, dwell, n2, 1);
  computator.computeImage(snapshot(view, defaults(), 0.8, 0, "OA_NotRegistered"), w, h, unknown, n3, 1);
  for (int x = 0; x < w; ++x)
    for (int y = 0; y < h; ++y) {
      Point const p = referencePoint(view, w, h, x, y);
      std::vector<Point> orbit;
      int const n = referenceDwell(defaults(), 0.8, 0, p.x, p.y, &orbit);
      ASSERT_EQ(orbit.size(), static_cast<std::size_t>(n) + 1);
      double sum = 0;
      for (std::size_t k = 1; k < orbit.size(); ++k)
        sum += std::sqrt((orbit[k].x - orbit[k - 1].x) * (orbit[k].x - orbit[k - 1].x) +
                         (orbit[k].y - orbit[k - 1].y) * (orbit[k].y - orbit[k - 1].y));
      EXPECT_NEAR(length[x][y], sum, 1e-12) << x << "," << y;
      EXPECT_EQ(dwell[x][y], n);
      EXPECT_EQ(unknown[x][y], n);
    }
}

constexpr std::size_t kLambda = ParameterPaneHalley::kLambdaField;
constexpr std::size_t kTest = ParameterPaneHalley::kConvergenceField;
constexpr std::size_t kAnalyzer = ParameterPaneHalley::kAnalyzerField;

HalleyParameters const& paramsOf(std::shared_ptr<Snapshot> const& s) {
  return dynamic_cast<SnapshotHalley&>(*s).getParameters();
}

std::shared_ptr<SnapshotHalley> withParameters(HalleyParameters const& p) {
  return std::make_shared<SnapshotHalley>("", SnapshotCore(), p);
}

void lockAll(ParameterPaneHalley& pane, bool locked) {
  for (int k = 0; k < 13; ++k) pane.setLocked(100 + k, locked);
  for (int index : {200, 300, 700}) pane.setLocked(index, locked);
}

class ParameterPaneHalleyTest : public gen_test::CoreTest {
 protected:
  ParameterPaneHalley pane;
};

TEST_F(ParameterPaneHalleyTest, RandomSnapshotHonoursLocks) {
  HalleyParameters p;
  p.coefficients[4] = 0.25;
  p.setLambda(1.75);
  p.convergenceTest = 7;
  p.analyzerID = "OA_Length";
  auto start = withParameters(p);
  // Everything unlocked: the draws in their stated order.
  lockAll(pane, false);
  // Enough seeds that each convergence test is drawn near its bounds.
  for (std::uint32_t seed = 1; seed <= 60; ++seed) {
    RandomUtils::seed(seed);
    auto const r = pane.makeRandomSnap(start);
    AdditiveFeedbackGenerator g(seed);
    auto const unit = [&g] { return g.next() / 2147483647.0; };
    HalleyParameters const& q = paramsOf(r);
    for (int k = 0; k < 13; ++k) {
      if (unit() < 0.5) {
        double const whole = q.coefficients[k];
        EXPECT_TRUE(whole >= 1 && whole <= 99 && whole == std::floor(whole)) << seed << " c" << k << " " << whole;
        g.next();  // the whole number's draw
      } else {
        EXPECT_EQ(q.coefficients[k], 0) << seed << " c" << k;
      }
    }
    EXPECT_NEAR(q.getLambda(), 0.5 + unit(), 1e-12) << seed;
    double const t = unit();
    EXPECT_EQ(q.convergenceTest, t < 0.6 ? 0 : t < 0.8 ? 1 : 2) << seed;
    if (unit() < 0.5) {
      EXPECT_EQ(q.analyzerID, "OA_Dwell") << seed;
    }
    EXPECT_TRUE(r->getCore().getView() == View(0, 0, 1, 0, false, false));
  }
}

}  // namespace
}  // namespace orlenza
