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
#include "core/generators/EscapeTime/EscapeFormula.h"
#include "core/generators/EscapeTime/EscapeParameters.h"
#include "core/generators/EscapeTime/EscapeReference.h"
#include "core/generators/EscapeTime/ImageComputatorEscapeParams.h"
#include "core/generators/EscapeTime/ParameterPaneEscapeParams.h"
#include "core/generators/EscapeTime/SnapshotEscapeParams.h"
#include "core/generators/GeneratorTestSupport.h"
#include "core/geometry/GeometryDisk.h"
#include "core/geometry/GeometryNfold.h"
#include "core/geometry/GeometrySwirl.h"
#include "core/model/SnapshotKind.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

using namespace EscapeFormula;

std::array<double, kLength> filled(double value) {
  std::array<double, kLength> c{};
  c.fill(value);
  return c;
}

TEST(EscapeFormula, CoefficientsToWord) {
  EXPECT_EQ(formulaFromCoefficients(filled(-1.2)), "AAAAAAAAAAAA");
  EXPECT_EQ(formulaFromCoefficients(filled(0.0)), "MMMMMMMMMMMM");
  EXPECT_EQ(formulaFromCoefficients(filled(1.3)), "ZZZZZZZZZZZZ");
  // The default coefficients, letter by letter: (c + 1.2) * 10 = 0 0 9 20 7 6 4 17 15 14 2 0.
  EXPECT_EQ(formulaFromCoefficients({-1.2, -1.2, -0.3, 0.8, -0.5, -0.6, -0.8, 0.5, 0.3, 0.2, -1.0, -1.2}),
            "AAJUHGERPOCA");

  double const nan = std::numeric_limits<double>::quiet_NaN();
  double const inf = std::numeric_limits<double>::infinity();
  struct Case {
    double value;
    char const* expected;  // the word with this value in place 5, the rest "A"
  } const cases[] = {
      {-1.25, ""},                 // halfway below "A": rounds away to -1, off the range
      {1.3, "AAAAAZAAAAAA"},       // "Z" is written
      {1.35, ""},                  // 25.5 rounds to 26
      {0.1 + 5e-11, "AAAAANAAAAAA"},  // 5e-10 off after scaling: still on the grid
      {0.1 + 2e-10, ""},              // 2e-9 off: not
      {-1.2 - 5e-11, "AAAAAAAAAAAA"}, // a hair below "A" still rounds to 0
      {nan, ""},
      {inf, ""},
      {1e300, ""},
      {-0.0, "AAAAAMAAAAAA"},
      {4.9e-324, "AAAAAMAAAAAA"},
  };
  for (auto const& c : cases) {
    auto coefficients = filled(-1.2);
    coefficients[5] = c.value;
    EXPECT_EQ(formulaFromCoefficients(coefficients), c.expected) << c.value;
  }
}

TEST(EscapeFormula, TypedTextToCorrectedWord) {
  struct Case {
    char const* typed;
    char const* expected;  // nullptr: too short, nothing happens
  } const cases[] = {
      {"abcdefghijkl", "ABCDEFGHIJKL"},
      {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKL"},  // only twelve are read
      {"ZZZZZZZZZZZZ", "YYYYYYYYYYYY"},      // "Z" is read as "Y"
      {"0123456789 !", "AAAAAAAAAAAA"},      // below "A"
      {"[\\]^_`{|}~\x7f[", "YYYYYYYYYYYY"},  // above "Y"
      {"abcdefghijk", nullptr},
      {"", nullptr},
      // Twelve characters of two bytes each are twelve characters.
      {"\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9",
       "YYYYYYYYYYYY"},
      // Eleven of them are too few, whatever their bytes count.
      {"\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9", nullptr},
      {"\xe2\x82\xac" "abcdefghijk", "YABCDEFGHIJK"},
  };
  for (auto const& c : cases) {
    auto const corrected = correctFormula(c.typed);
    if (c.expected == nullptr) {
      EXPECT_FALSE(corrected.has_value()) << c.typed;
    } else {
      ASSERT_TRUE(corrected.has_value()) << c.typed;
      EXPECT_EQ(*corrected, c.expected) << c.typed;
    }
  }
  // Embedded NUL characters count and become "A".
  EXPECT_EQ(correctFormula(std::string_view("ab\0defghijkl", 12)), "ABADEFGHIJKL");
}

TEST(EscapeFormula, WordToCoefficients) {
  auto const c = coefficientsFromFormula("ABCDEFGHIJKL");
  for (std::size_t i = 0; i < kLength; ++i) EXPECT_NEAR(c[i], -1.2 + 0.1 * static_cast<double>(i), 1e-15) << i;
  EXPECT_EQ(c[0], -1.2);  // 0 * 0.1 - 1.2 is exact

  auto const m = coefficientsFromFormula("MMMMMMMMMMMM");
  for (double v : m) EXPECT_LT(std::fabs(v), 1e-15);
  auto const y = coefficientsFromFormula("YYYYYYYYYYYY");
  for (double v : y) EXPECT_NEAR(v, 1.2, 1e-15);

  // Each letter read back writes the same letter.
  for (int k = 0; k < 26; ++k) EXPECT_EQ(letterOfValue(valueOfLetter(k)), static_cast<char>('A' + k)) << k;
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(EscapeParameters, EqualityWithinTolerance) {
  EscapeParameters a;
  EscapeParameters b;
  EXPECT_TRUE(a == b);
  b.coefficients[11] += 5e-11;
  EXPECT_TRUE(a == b);
  b.coefficients[11] += 1e-10;
  EXPECT_FALSE(a == b);
  b = a;
  b.analyzerID = "OA_Other";
  EXPECT_FALSE(a == b);
  b = a;
  b.coefficients[3] = kNaN;
  EXPECT_FALSE(b == b);  // a NaN equals nothing
  b.coefficients[3] = kInf;
  EXPECT_TRUE(b == b);
}

TEST(EscapeParameters, MorphIsLinearAndKeepsTheFirstAnalyzer) {
  EscapeParameters a;
  EscapeParameters b;
  for (std::size_t i = 0; i < 12; ++i) {
    a.coefficients[i] = static_cast<double>(i);
    b.coefficients[i] = 10.0 + static_cast<double>(i) * 3.0;
  }
  a.analyzerID = "OA_First";
  b.analyzerID = "OA_Second";
  EscapeParameters m;
  m.morph(a, b, 0.5);
  for (std::size_t i = 0; i < 12; ++i) EXPECT_DOUBLE_EQ(m.coefficients[i], 5.0 + 2.0 * static_cast<double>(i));
  EXPECT_EQ(m.analyzerID, "OA_First");
  m.morph(a, b, 2.0);  // extrapolates
  EXPECT_DOUBLE_EQ(m.coefficients[0], 20.0);
}

TEST(EscapeParameters, GarbageFailsAndChangesNothing) {
  std::string const twelve = "1 2 3 4 5 6 7 8 9 10 11 12 ";
  std::string const bad[] = {
      "",
      "1 2 3",
      twelve,  // analyzer missing
      "1 2 3 4 5 6 x 8 9 10 11 12 OA_Dwell ",
      "1 2 3 4 5 6 7 8 9 10 11 1e999 OA_Dwell ",
      std::string(10 << 20, '9') + " " + twelve + "OA_Dwell",
  };
  for (auto const& text : bad) {
    EscapeParameters p;
    std::istringstream is(text);
    p.inputParameters(is);
    EXPECT_TRUE(is.fail()) << text.substr(0, 60);
    EXPECT_TRUE(p == EscapeParameters()) << text.substr(0, 60);
  }
}

using gen_test::CountingNotifier;

using escape_test::Coefficients;
using escape_test::referenceDwell;
using escape_test::referencePoint;
using Step = escape_test::Point;

class ImageComputatorEscapeParamsTest : public gen_test::CoreTest {
 protected:
  static SnapshotEscapeParams snapshot(View const& view, Coefficients const& k, std::string analyzer = "OA_Dwell") {
    SnapshotCore core;
    core.setView(view);
    EscapeParameters parameters;
    parameters.coefficients = k;
    parameters.analyzerID = std::move(analyzer);
    return SnapshotEscapeParams("", core, parameters);
  }

  static Coefficients defaults() { return EscapeParameters().coefficients; }

  ImageComputatorEscapeParams& computator = ImageComputatorEscapeParams::instance();
};

TEST_F(ImageComputatorEscapeParamsTest, DwellsMatchThePlainMap) {
  struct Case {
    View view;
    int width, height;
  } const cases[] = {
      {View(0.723631, -0.396063, 0.058555, 0, false, true), 40, 30},  // the default picture
      {View(-0.2, 0.1, 1.5, 30, true, false), 20, 24},               // turned and mirrored
  };
  for (auto const& c : cases) {
    auto const s = snapshot(c.view, defaults());
    RawField field(c.width, c.height);
    CountingNotifier notifier;
    computator.computeImage(s, c.width, c.height, field, notifier, 1);
    EXPECT_EQ(notifier.totals, std::vector<long>{c.height});
    int escapedEarly = 0;
    for (int x = 0; x < c.width; ++x)
      for (int y = 0; y < c.height; ++y) {
        Step const p = referencePoint(c.view, c.width, c.height, x, y);
        int const expected = referenceDwell(defaults(), p.x, p.y);
        ASSERT_EQ(field[x][y], expected) << x << "," << y;
        escapedEarly += expected < 1024;
      }
    EXPECT_GT(escapedEarly, 0);
  }
}

TEST_F(ImageComputatorEscapeParamsTest, AnalyzersReadTheRecordedOrbit) {
  View const view(0, 0, 1.5, 0, false, false);
  int const w = 9, h = 7;
  // OA_Real is |x| of the last recorded point; OA_Dwell on an orbit would be
  // its length - 1, but the dwell analyzer takes the step count instead.
  RawField real(w, h), dwell(w, h), unknown(w, h);
  CountingNotifier n1, n2, n3;
  computator.computeImage(snapshot(view, defaults(), "OA_Real"), w, h, real, n1, 1);
  computator.computeImage(snapshot(view, defaults(), "OA_Dwell"), w, h, dwell, n2, 1);
  computator.computeImage(snapshot(view, defaults(), "OA_NotRegistered"), w, h, unknown, n3, 1);
  for (int x = 0; x < w; ++x)
    for (int y = 0; y < h; ++y) {
      Step const p = referencePoint(view, w, h, x, y);
      std::vector<Step> orbit;
      int const n = referenceDwell(defaults(), p.x, p.y, &orbit);
      EXPECT_EQ(real[x][y], std::fabs(orbit.back().x)) << x << "," << y;
      EXPECT_EQ(dwell[x][y], n);
      EXPECT_EQ(unknown[x][y], n);  // an unknown analyzer computes as the dwell
    }
}

TEST_F(ImageComputatorEscapeParamsTest, NonFinitePointsAreNaNAndThreadsChangeNoBit) {
  // The disk geometry maps its centre to NaN; the n-fold one folds the rest.
  auto disk = snapshot(View(0, 0, 2, 0, false, false), defaults(), "OA_Distance");
  disk.getCore().setGeometry(std::make_shared<GeometryDisk>());
  auto nfold = snapshot(View(0.1, -0.2, 1.7, 12, true, true), defaults(), "OA_Harmonic");
  nfold.getCore().setGeometry(std::make_shared<GeometryNfold>(5, true, 10));
  // Right of the centre the plane x passes the largest double.
  auto huge = snapshot(View(1.7e308, 0, 1e307, 0, false, false), defaults());
  RawField field(101, 67);
  gen_test::expectSameOnAnyThreadCount(computator, nfold, 101, 67, field);
  gen_test::expectSameOnAnyThreadCount(computator, disk, 101, 67, field);
  EXPECT_TRUE(std::isnan(field[50][33]));  // the centre pixel
  EXPECT_FALSE(std::isnan(field[10][10]));
  gen_test::expectSameOnAnyThreadCount(computator, huge, 101, 67, field);
  EXPECT_TRUE(std::isnan(field[100][0]));
  // Finite, but its first iterate is inf - inf: NaN never escapes.
  Step const corner = referencePoint(huge.getCore().getView(), 101, 67, 0, 0);
  EXPECT_TRUE(std::isfinite(corner.x));
  EXPECT_EQ(field[0][0], referenceDwell(defaults(), corner.x, corner.y));
  EXPECT_EQ(field[0][0], 1024);
  EXPECT_EQ(field[50][33], referenceDwell(defaults(), 1.7e308, 0));
}

using Coefficients = std::array<double, 12>;
constexpr std::size_t kFormula = ParameterPaneEscapeParams::kFormulaField;
constexpr std::size_t kAnalyzer = ParameterPaneEscapeParams::kAnalyzerField;

// The origin's dwell under the map, written out apart from the iterator.
int originDwell(Coefficients const& k) { return escape_test::referenceDwell(k, 0, 0); }

std::shared_ptr<SnapshotEscapeParams> withParameters(Coefficients const& k, std::string analyzer = "OA_Dwell") {
  EscapeParameters p;
  p.coefficients = k;
  p.analyzerID = std::move(analyzer);
  return std::make_shared<SnapshotEscapeParams>("", SnapshotCore(), p);
}

EscapeParameters const& paramsOf(std::shared_ptr<Snapshot> const& s) {
  return dynamic_cast<SnapshotEscapeParams&>(*s).getParameters();
}

class Listener : public PaneListener {
 public:
  void adjustDrawing() override { ++adjusted; }
  void currentSnapshotControlsChanged(std::size_t field) override { changed.push_back(field); }
  int adjusted = 0;
  std::vector<std::size_t> changed;
};

class ParameterPaneEscapeParamsTest : public gen_test::CoreTest {
 protected:
  ParameterPaneEscapeParams pane;
};

TEST_F(ParameterPaneEscapeParamsTest, FormulaBothWays) {
  Listener listener;
  pane.setListener(&listener);
  Coefficients all;
  all.fill(-1.2);
  pane.updateFromSnapshot(*withParameters(all));
  EXPECT_EQ(pane.fieldText(kFormula), "AAAAAAAAAAAA");

  // Typed coefficients rebuild the formula on Tab or Return.
  pane.setFieldText(3, "1.3");
  pane.fieldCommitted(3, CommitKey::Tab);
  EXPECT_EQ(pane.fieldText(kFormula), "AAAZAAAAAAAA");
  pane.setFieldText(4, "-1.25");
  pane.fieldCommitted(4, CommitKey::Return);
  EXPECT_EQ(pane.fieldText(kFormula), "");
  EXPECT_EQ(pane.fieldText(4), "-1.25");  // the coefficient itself stays
  pane.setFieldText(4, "0");
  pane.fieldCommitted(4, CommitKey::Tab);
  EXPECT_EQ(pane.fieldText(kFormula), "AAAZMAAAAAAA");
  EXPECT_EQ(listener.adjusted, 0);  // the window reports coefficient edits itself

  // Lower-case letters and Return: the field is corrected and the coefficients follow.
  pane.setFieldText(kFormula, "abcdefghijkl");
  pane.fieldCommitted(kFormula, CommitKey::Tab);  // Tab does not convert
  EXPECT_EQ(pane.fieldText(kFormula), "abcdefghijkl");
  EXPECT_EQ(pane.fieldText(0), "-1.2");
  pane.fieldCommitted(kFormula, CommitKey::Return);
  EXPECT_EQ(pane.fieldText(kFormula), "ABCDEFGHIJKL");
  char const* texts[] = {"-1.2", "-1.1", "-1", "-0.9", "-0.8", "-0.7", "-0.6", "-0.5", "-0.4", "-0.3", "-0.2", "-0.1"};
  for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(pane.fieldText(i), texts[i]) << i;
  EXPECT_EQ(listener.adjusted, 1);
  EXPECT_EQ(listener.changed, std::vector<std::size_t>{kFormula});

  // Too short changes nothing and is not reported.
  pane.setFieldText(kFormula, "MMMMM");
  pane.fieldCommitted(kFormula, CommitKey::Return);
  EXPECT_EQ(pane.fieldText(kFormula), "MMMMM");
  EXPECT_EQ(pane.fieldText(0), "-1.2");
  EXPECT_EQ(listener.adjusted, 1);
  pane.setListener(nullptr);
}

TEST_F(ParameterPaneEscapeParamsTest, RandomSnapshotHonoursLocks) {
  pane.setLocked(101, true);
  pane.setLocked(201, true);

  // a0 locked at 2000: no draw can keep the origin inside, so the search ends
  // after 10,000 draws of eleven coefficients and keeps the last.
  Coefficients runaway = EscapeParameters().coefficients;
  runaway[0] = 2000;
  for (int i = 1; i < 12; ++i) pane.setLocked(101 + i, false);
  RandomUtils::seed(11);
  auto const stuck = pane.makeRandomSnap(withParameters(runaway));
  AdditiveFeedbackGenerator counter(11);
  for (int i = 0; i < 10000 * 11; ++i) counter.next();
  EXPECT_EQ(RandomUtils::random(), counter.next());
  EXPECT_EQ(paramsOf(stuck).coefficients[0], 2000);
  EXPECT_EQ(originDwell(paramsOf(stuck).coefficients), 1);

  // Some locked, the rest drawn in [-2, 2] until the origin lingers 100 ... 1023 steps.
  pane.setLocked(101, false);
  pane.setLocked(103, true);
  pane.setLocked(108, true);
  Coefficients const base = EscapeParameters().coefficients;
  for (std::uint32_t seed : {1u, 2u, 3u, 99u, 4000000000u}) {
    RandomUtils::seed(seed);
    auto const r = pane.makeRandomSnap(withParameters(base));
    auto const& k = paramsOf(r).coefficients;
    EXPECT_EQ(k[2], base[2]);
    EXPECT_EQ(k[7], base[7]);
    for (double v : k) EXPECT_TRUE(v >= -2.0 && v <= 2.0) << v;
    int const dwell = originDwell(k);
    EXPECT_GE(dwell, 100) << seed;
    EXPECT_LE(dwell, 1023) << seed;
    EXPECT_EQ(paramsOf(r).analyzerID, "OA_Dwell");  // analyzer still locked, start had OA_Dwell
    pane.updateFromSnapshot(*r);
    EXPECT_EQ(pane.fieldText(kFormula), "");  // random values are off the grid
  }
}

}  // namespace
}  // namespace orlenza
