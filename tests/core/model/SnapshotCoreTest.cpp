#include "core/model/SnapshotCore.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "core/base/TextIO.h"
#include "core/geometry/DefaultGeometry.h"
#include "core/geometry/GeometryFactory.h"
#include "core/geometry/GeometryNfold.h"

namespace orlenza {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class SnapshotCoreTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registerAllGeometries(); }
};

std::string textOf(SnapshotCore const& core) {
  std::ostringstream os;
  os << core;
  return os.str();
}

std::vector<std::string> tokensOf(std::string const& text) {
  std::istringstream is(text);
  std::vector<std::string> tokens;
  for (std::string t; is >> t;) tokens.push_back(t);
  return tokens;
}

std::string join(std::vector<std::string> const& tokens, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += tokens[i] + " ";
  return text;
}

// Reads a record of the given version into core; false when the stream failed.
bool readInto(SnapshotCore& core, std::string const& text, int version = 3) {
  core.setVersion(version);
  std::istringstream is(text);
  is >> core;
  return !is.fail();
}

// A core far from the defaults in every field.
SnapshotCore oddCore() {
  Gradation g;
  g.setColor(KeyframePosition::fromSteps(1234), RGBColor{1, 65534, 300});
  g.setColor(KeyframePosition::fromSteps(10000), k_RGBblue);
  auto geometry = std::make_shared<GeometryNfold>(5u, false, 12.5);
  geometry->setCenterIsAbsolute(true);
  geometry->setCenter({0.1, -2.5});
  geometry->setRadius(3e-5);
  SnapshotCore core(View(1.5, -2.25, 1e-7, -725, true, false), geometry, GradationInfo(g, 8.0, -0.25), "pf_blur",
                    0.75, "norm_log", 1024.0, 0.2, 0.9);
  core.setSecondPostfilteringID("pf_edge");
  core.setSecondPostfilteringParam(-3.5);
  return core;
}

TEST_F(SnapshotCoreTest, ViewGeometryAndGradationSurviveTheTextForm) {
  SnapshotCore const core = oddCore();
  EXPECT_EQ(core.getView().getAngle(), -5.0);
  std::string const text = textOf(core);
  SnapshotCore back;
  ASSERT_TRUE(readInto(back, text)) << text;
  EXPECT_TRUE(back == core) << text;
  EXPECT_EQ(back.getGeometry()->getVersion(), 3);
  EXPECT_EQ(textOf(back), text);
}

TEST_F(SnapshotCoreTest, VersionTwoHasNoGeometryNorSecondPostfilter) {
  std::string const text =
      "1 2 3 45 1 0 "
      "2 0 0 0 0 1 65535 65535 65535 2 0.5 "
      "pf_x 0.5 norm_log 100 0.2 0.8 ";
  for (int version : {0, 1, 2}) {
    SnapshotCore core;
    auto const nfold = std::make_shared<GeometryNfold>();
    core.setGeometry(nfold);
    ASSERT_TRUE(readInto(core, text, version)) << version;
    EXPECT_TRUE(core.getView() == View(1, 2, 3, 45, true, false));
    EXPECT_EQ(core.getGeometry(), nfold);  // left as it was
    EXPECT_EQ(core.getSecondPostfilteringID(), "pf_none");
    EXPECT_EQ(core.getPostfilteringID(), "pf_x");
    EXPECT_EQ(core.getCeiling(), 0.8);
    EXPECT_EQ(core.getGradationInfo().auxiliary.scale, 2.0);
  }
  SnapshotCore fresh;
  ASSERT_TRUE(readInto(fresh, text, 2));
  EXPECT_EQ(fresh.getGeometry()->getIdentifier(), "geom_null");
  // The same text as a version-3 record has "2" where the geometry belongs.
  SnapshotCore three;
  EXPECT_FALSE(readInto(three, text));
}

TEST_F(SnapshotCoreTest, SettersClampEveryValue) {
  struct Case {
    double value, expected;
  };
  Case const norms[] = {{-5, 1},   {1e-10, 1}, {2e-10, 2e-10}, {1e300, 1e300}, {kNaN, 1},
                        {kInf, 1}, {-kInf, 1}, {4.9e-324, 1},  {-0.0, 1}};
  for (auto const& c : norms) {
    SnapshotCore core;
    core.setNorm(c.value);
    EXPECT_EQ(core.getNorm(), c.expected) << c.value;
  }
  Case const floors[] = {{1.7, 1}, {-0.2, 0}, {1, 1}, {kNaN, 0}, {kInf, 1}, {1e-300, 1e-300}};
  for (auto const& c : floors) {
    SnapshotCore core;
    core.setFloor(c.value);
    EXPECT_EQ(core.getFloor(), c.expected) << c.value;
  }
  // With floor 0.4.
  Case const ceilings[] = {{0.3, 0.4}, {3, 1}, {0.4, 0.4}, {0.7, 0.7}, {kNaN, 1}, {-kInf, 0.4}};
  for (auto const& c : ceilings) {
    SnapshotCore core;
    core.setFloor(0.4);
    core.setCeiling(c.value);
    EXPECT_EQ(core.getCeiling(), c.expected) << c.value;
  }
  // Raising the floor above the ceiling leaves the ceiling.
  SnapshotCore core;
  core.setCeiling(0.5);
  core.setFloor(0.8);
  EXPECT_EQ(core.getFloor(), 0.8);
  EXPECT_EQ(core.getCeiling(), 0.5);

  // A null geometry never gets in.
  SnapshotCore nullGeometry(View(), nullptr, GradationInfo(), "pf_none", 0, "norm_lin", 256, 0, 1);
  ASSERT_NE(nullGeometry.getGeometry(), nullptr);
  EXPECT_EQ(nullGeometry.getGeometry()->getIdentifier(), "geom_null");
  nullGeometry.setGeometry(nullptr);
  ASSERT_NE(nullGeometry.getGeometry(), nullptr);
}

TEST_F(SnapshotCoreTest, ReadingClampsNormFloorAndCeiling) {
  struct Case {
    char const* tail;  // normalizer, norm, floor, ceiling
    double norm, floor, ceiling;
  } const cases[] = {
      {"norm_lin -5 1.7 0.3 ", 1, 1, 1},
      {"norm_lin nan nan nan ", 1, 0, 1},
      {"norm_lin inf -inf -inf ", 1, 0, 0},
      {"norm_lin 2e-10 0.4 0.3 ", 2e-10, 0.4, 0.4},
  };
  for (auto const& c : cases) {
    std::string const text = std::string("0 0 1 0 0 0 geom_null 0 0 0 0 1 2 0 0 0 0 1 65535 65535 65535 1 0 ") +
                             "pf_none 0 pf_none 0 " + c.tail;
    SnapshotCore core;
    ASSERT_TRUE(readInto(core, text)) << c.tail;
    EXPECT_EQ(core.getNorm(), c.norm) << c.tail;
    EXPECT_EQ(core.getFloor(), c.floor) << c.tail;
    EXPECT_EQ(core.getCeiling(), c.ceiling) << c.tail;
  }
}

TEST_F(SnapshotCoreTest, EqualityAndComputationalEquality) {
  SnapshotCore const base = oddCore();
  struct Case {
    char const* what;
    void (*change)(SnapshotCore&);
    bool equal, computationallyEqual;
  } const cases[] = {
      {"nothing", [](SnapshotCore&) {}, true, true},
      {"version", [](SnapshotCore& c) { c.setVersion(2); }, true, true},
      {"norm", [](SnapshotCore& c) { c.setNorm(c.getNorm() + 2e-10); }, false, true},
      {"norm within 1e-10", [](SnapshotCore& c) { c.setNorm(c.getNorm() + 1e-13); }, true, true},
      {"floor", [](SnapshotCore& c) { c.setFloor(0.2 + 2e-5); }, false, true},
      {"floor within 1e-5", [](SnapshotCore& c) { c.setFloor(0.2 + 5e-6); }, true, true},
      {"post-filter parameter", [](SnapshotCore& c) { c.setPostfilteringParam(0.75 + 1e-9); }, false, true},
      {"second post-filter", [](SnapshotCore& c) { c.setSecondPostfilteringID("pf_none"); }, false, true},
      {"second parameter", [](SnapshotCore& c) { c.setSecondPostfilteringParam(kNaN); }, false, true},
      {"gradation", [](SnapshotCore& c) { c.setGradationInfo(GradationInfo()); }, false, true},
      {"scale", [](SnapshotCore& c) { c.getGradationInfo().auxiliary.scale = 8.0000001; }, false, true},
      {"view", [](SnapshotCore& c) { c.offsetView(1e-9, 0); }, false, false},
      {"geometry", [](SnapshotCore& c) { c.setGeometry(nullptr); }, false, false},
      {"geometry parameter", [](SnapshotCore& c) { c.setGeometry(std::make_shared<GeometryNfold>(6u, false, 12.5)); },
       false, false},
  };
  for (auto const& c : cases) {
    SnapshotCore other = base;
    c.change(other);
    EXPECT_EQ(other == base, c.equal) << c.what;
    EXPECT_EQ(base == other, c.equal) << c.what;
    EXPECT_EQ(other.isComputationallyEqual(base), c.computationallyEqual) << c.what;
  }
  // An infinite parameter equals itself.
  SnapshotCore infinite = base;
  infinite.setSecondPostfilteringParam(-kInf);
  SnapshotCore const sameInfinite = infinite;
  EXPECT_TRUE(infinite == sameInfinite);
}

TEST_F(SnapshotCoreTest, MorphInterpolatesAndKeepsTheStartingIdentifiers) {
  SnapshotCore a;
  a.setVersion(3);
  a.setNorm(100);
  a.setFloor(0.2);
  a.setCeiling(0.6);
  a.setPostfilteringParam(1);
  a.setView(View(0, 0, 1, 0, true, false));
  SnapshotCore b = oddCore();
  b.setNorm(300);
  b.setFloor(0.6);
  b.setCeiling(1.0);
  b.setPostfilteringParam(3);
  b.setSecondPostfilteringParam(-4);
  b.setView(View(2, -4, 3, 90, false, true));

  SnapshotCore const half = a.morphTowards(b, 0.5);
  EXPECT_EQ(half.getNorm(), 200.0);
  EXPECT_DOUBLE_EQ(half.getFloor(), 0.4);
  EXPECT_DOUBLE_EQ(half.getCeiling(), 0.8);
  EXPECT_EQ(half.getSecondPostfilteringParam(), -2.0);
  EXPECT_EQ(half.getSecondPostfilteringID(), "pf_none");
  EXPECT_EQ(half.getNormalizerID(), "norm_lin");
  EXPECT_EQ(half.getVersion(), 0);
  EXPECT_TRUE(half.getView() == View(1, -2, 2, 45, true, false));
  // Another geometry class: a copy of the starting geometry.
  EXPECT_EQ(half.getGeometry()->getIdentifier(), "geom_null");
  EXPECT_TRUE(half.getGradationInfo() == a.getGradationInfo().morphTowards(b.getGradationInfo(), 0.5));

  // Extrapolation is stored as computed, without clamping.
  SnapshotCore const far = a.morphTowards(b, 2.0);
  EXPECT_DOUBLE_EQ(far.getFloor(), 1.0);
  EXPECT_DOUBLE_EQ(far.getCeiling(), 1.4);
  EXPECT_EQ(a.morphTowards(b, -1.0).getNorm(), -100.0);

  // Same geometry class: a new geometry between the two.
  SnapshotCore c = oddCore();
  SnapshotCore d = oddCore();
  d.setGeometry(std::make_shared<GeometryNfold>(5u, false, 32.5));
  SnapshotCore const mid = c.morphTowards(d, 0.5);
  auto const* nfold = dynamic_cast<GeometryNfold const*>(mid.getGeometry().get());
  ASSERT_NE(nfold, nullptr);
  EXPECT_EQ(nfold->getPhase(), 22.5);
  EXPECT_NE(mid.getGeometry(), c.getGeometry());
}

TEST_F(SnapshotCoreTest, GarbageNeverCrashesAndChangesNothing) {
  SnapshotCore const good = oddCore();
  std::string const text = textOf(good);
  auto const tokens = tokensOf(text);

  auto expectRejected = [&](std::string const& bad, std::string const& what) {
    SnapshotCore core = oddCore();
    core.setNorm(77);
    auto const geometry = core.getGeometry();
    EXPECT_FALSE(readInto(core, bad)) << what;
    EXPECT_EQ(core.getNorm(), 77.0) << what;
    EXPECT_EQ(core.getGeometry(), geometry) << what;
  };

  // Every truncation, down to nothing.
  for (std::size_t n = 0; n < tokens.size(); ++n) expectRejected(join(tokens, n), "first " + std::to_string(n));

  // A letter in the place of each number, and an unknown geometry.
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    double ignored = 0;
    bool const isNumber = text::parseDouble(tokens[i], ignored);
    bool const isGeometryID = tokens[i] == "geom_nfold";
    if (!isNumber && !isGeometryID) continue;
    auto changed = tokens;
    changed[i] = "x";
    expectRejected(join(changed, changed.size()), "x at " + std::to_string(i));
  }

  // Long or out-of-range view, geometry and gradation tokens are their own readers' cases.
  // A long identifier is only long, not wrong.
  auto longID = tokens;
  longID[tokens.size() - 4] = std::string(1 << 20, 'n');
  SnapshotCore core;
  EXPECT_TRUE(readInto(core, join(longID, longID.size())));
  EXPECT_EQ(core.getNormalizerID().size(), 1u << 20);
}

TEST_F(SnapshotCoreTest, IdentifiersAreWrittenAsOneWord) {
  SnapshotCore core;
  core.setPostfilteringID("pf with\tblanks");
  core.setSecondPostfilteringID("");
  core.setNormalizerID("norm\nlin");
  std::string const text = textOf(core);
  SnapshotCore back;
  ASSERT_TRUE(readInto(back, text)) << text;
  EXPECT_EQ(back.getPostfilteringID(), "pf_with_blanks");
  EXPECT_EQ(back.getSecondPostfilteringID(), "?");
  EXPECT_EQ(back.getNormalizerID(), "norm_lin");
  EXPECT_EQ(back.getNorm(), 256.0);
}

}  // namespace
}  // namespace orlenza
