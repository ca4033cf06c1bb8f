#include "core/generators/Perlin/SnapshotPerlin.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>

#include "core/CoreRegistration.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
using P = PerlinParameters;

struct OtherParameters {
  static constexpr std::string_view kSnapshotIdentifier = "TestNotPerlin";
  void outputParameters(std::ostream&) const {}
  void inputParameters(std::istream&) {}
  void morph(OtherParameters const&, OtherParameters const&, double) {}
  friend bool operator==(OtherParameters const&, OtherParameters const&) = default;
};

std::string textOf(P const& p) {
  std::ostringstream os;
  p.outputParameters(os);
  return os.str();
}

bool read(std::string const& text, P& p) {
  std::istringstream is(text);
  p.inputParameters(is);
  return !is.fail();
}

P sample() {
  P p;
  p.octavesA = 8;
  p.persistenceA = 0.9;
  p.scaleB = 0.05;
  p.octavesB = 7;
  p.persistenceB = 0.35;
  p.scaleC = 0.8;
  p.octavesC = 3;
  p.persistenceC = 1;
  p.amplitude = 250;
  p.combination = 4;
  p.shaping = 2;
  return p;
}

class SnapshotPerlinTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registerCoreFamilies(); }
};

TEST_F(SnapshotPerlinTest, TextFormRoundTripsAndReadsValuesAsTheyStand) {
  EXPECT_EQ(textOf(P()), "5 0.5 0.2 4 0.7 0.5 5 0.6 1000 0 0 ");
  P odd = sample();
  odd.scaleB = 1.0 / 3;
  odd.persistenceA = kNaN;
  odd.amplitude = -kInf;
  P back;
  ASSERT_TRUE(read(textOf(odd), back));
  EXPECT_EQ(textOf(back), textOf(odd));
  EXPECT_EQ(back.octavesA, 8);
  EXPECT_EQ(back.combination, 4);
  EXPECT_NEAR(back.scaleB, 1.0 / 3, 1e-12);
  EXPECT_TRUE(std::isnan(back.persistenceA));

  // Outside the pane's ranges, as read; integers past int pinned to its ends.
  P wild;
  ASSERT_TRUE(read("20 1.5 0 -3 -2 1e300 99999999999 7 -5 9 -1 ", wild));
  EXPECT_EQ(wild.octavesA, 20);
  EXPECT_EQ(wild.persistenceA, 1.5);
  EXPECT_EQ(wild.octavesB, -3);
  EXPECT_EQ(wild.octavesC, INT_MAX);
  EXPECT_EQ(wild.amplitude, -5);
  EXPECT_EQ(wild.combination, 9);
  EXPECT_EQ(wild.shaping, -1);
  ASSERT_TRUE(read("-99999999999 0.5 0.2 4 0.7 0.5 5 0.6 1000 0 0", wild));
  EXPECT_EQ(wild.octavesA, INT_MIN);

  // A bad or missing token changes nothing.
  for (char const* bad : {"5 0.5 0.2 4 0.7 0.5 5 0.6 1000 0", "5.5 0.5 0.2 4 0.7 0.5 5 0.6 1000 0 0",
                          "5 x 0.2 4 0.7 0.5 5 0.6 1000 0 0", ""}) {
    P p = sample();
    EXPECT_FALSE(read(bad, p)) << bad;
    EXPECT_TRUE(p == sample()) << bad;
  }
}

TEST_F(SnapshotPerlinTest, ForceValidClampsWhatThePaneWrites) {
  P p;
  p.octavesA = 20;
  p.octavesB = 0;
  p.octavesC = INT_MIN;
  p.persistenceA = 1.5;
  p.persistenceB = -0.1;
  p.persistenceC = kNaN;
  p.scaleB = kInf;
  p.scaleC = -7;  // a negative scale is a mirrored layer, left alone
  p.amplitude = -250;
  p.combination = 9;
  p.shaping = -1;
  p.forceValid();
  EXPECT_EQ(p.octavesA, 12);
  EXPECT_EQ(p.octavesB, 1);
  EXPECT_EQ(p.octavesC, 1);
  EXPECT_EQ(p.persistenceA, 1);
  EXPECT_EQ(p.persistenceB, 0);
  EXPECT_EQ(p.persistenceC, 0.6);
  EXPECT_EQ(p.scaleB, 0.2);
  EXPECT_EQ(p.scaleC, -7);
  EXPECT_EQ(p.amplitude, 250);
  EXPECT_EQ(p.combination, 9);
  EXPECT_EQ(p.shaping, -1);
  p.amplitude = kNaN;
  p.forceValid();
  EXPECT_EQ(p.amplitude, 1000);
  P valid = sample();
  valid.forceValid();
  EXPECT_TRUE(valid == sample());
}

TEST_F(SnapshotPerlinTest, EqualityMorphAndTheKind) {
  P near = sample();
  near.scaleB += 5e-11;
  near.amplitude -= 5e-11;
  EXPECT_TRUE(near == sample());
  near.persistenceC += 1e-9;
  EXPECT_FALSE(near == sample());
  for (auto change : {+[](P& p) { p.octavesC = 4; }, +[](P& p) { p.shaping = 0; }, +[](P& p) { p.combination = 3; }}) {
    P other = sample();
    change(other);
    EXPECT_FALSE(other == sample());
  }

  P a;  // octavesA 5, combination 0, shaping 0
  P const b = sample();
  P m;
  m.morph(a, b, 0.5);
  EXPECT_EQ(m.octavesA, 6);  // 6.5 truncated
  EXPECT_EQ(m.octavesB, 5);  // 5.5
  EXPECT_EQ(m.octavesC, 4);
  EXPECT_DOUBLE_EQ(m.persistenceA, 0.7);
  EXPECT_DOUBLE_EQ(m.scaleB, 0.125);
  EXPECT_DOUBLE_EQ(m.amplitude, 625);
  EXPECT_EQ(m.combination, 0);
  EXPECT_EQ(m.shaping, 0);
  m.morph(a, b, 0);
  EXPECT_TRUE(m == a);
  m.morph(a, b, 0.999);
  EXPECT_EQ(m.combination, 0);
  EXPECT_EQ(m.octavesA, 7);  // 7.997
  m.morph(a, b, 1 - 5e-11);
  EXPECT_EQ(m.combination, 4);
  m.morph(a, b, 1);
  EXPECT_TRUE(m == b);
  // Counts far outside int and NaN never convert out of range.
  P huge = b;
  huge.octavesA = INT_MAX;
  m.morph(huge, a, -3);
  EXPECT_EQ(m.octavesA, INT_MAX);
  m.morph(huge, a, kNaN);
  EXPECT_EQ(m.octavesA, INT_MAX);

  // The kind: identifier, default view, morph and text through the factory.
  SnapshotPerlin const fresh;
  EXPECT_EQ(fresh.getIdentifier(), "Perlin");
  EXPECT_TRUE(fresh.getCore().getView() == View(4, 3, 5, 0, false, false));
  auto const made = SnapshotFactory::makeNewSnapshot("Perlin", 3);
  ASSERT_NE(dynamic_cast<SnapshotPerlin*>(made.get()), nullptr);
  EXPECT_TRUE(made->getCore().getView() == View(4, 3, 5, 0, false, false));

  auto const start = std::make_shared<SnapshotPerlin>("start", SnapshotCore(), a);
  auto const target = std::make_shared<SnapshotPerlin>("target", SnapshotCore(), b);
  SnapshotCore core;
  core.setNorm(33);
  auto const morphed = start->morphTowards(target, 1, core);
  auto const* perlin = dynamic_cast<SnapshotPerlin const*>(morphed.get());
  ASSERT_NE(perlin, nullptr);
  EXPECT_EQ(perlin->getName(), "");
  EXPECT_EQ(perlin->getCore().getNorm(), 33);
  EXPECT_TRUE(perlin->getParameters() == b);
  auto const foreign = std::make_shared<ParameterizedSnapshot<OtherParameters>>();
  auto const kept = start->morphTowards(foreign, 0.5, core);
  ASSERT_NE(dynamic_cast<SnapshotPerlin const*>(kept.get()), nullptr);
  EXPECT_EQ(kept->getName(), "start");
  EXPECT_TRUE(kept->isEqual(*start));

  std::ostringstream os;
  os << *target;
  std::istringstream is(os.str());
  auto const back = readSnapshotRecord(is, 3);
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(back->isEqual(*target));
  EXPECT_EQ(back->getName(), "target");
}

}  // namespace
}  // namespace orlenza
