#include "core/generators/Curves/CurvesParameters.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>

#include "core/CoreRegistration.h"
#include "core/generators/Curves/SnapshotCurves.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {
namespace {

using P = CurvesParameters;

std::string textOf(P const& p) {
  std::ostringstream os;
  p.outputParameters(os);
  return os.str();
}

TEST(CurvesParametersTest, CombinationsAndTheirLargestValues) {
  // s1 = 0.5, s2 = -0.25, s3 = 2, every combination worked out by hand.
  double const want[] = {0.5, 0.25, -0.125, 2.25, -0.25, 0.875, 1.875};
  double const maxima[] = {1, 2, 1, 3, 1, 2, 2};
  for (int c = 0; c < 7; ++c) {
    EXPECT_EQ(P::combine(c, 0.5, -0.25, 2), want[c]) << c;
    EXPECT_EQ(P::getMaxValue(c), maxima[c]) << c;
  }
  for (int c : {-1, 7, INT_MAX}) {
    EXPECT_EQ(P::combine(c, 0.5, -0.25, 2), 0.5) << c;
    EXPECT_EQ(P::getMaxValue(c), 1) << c;
  }
}

TEST(CurvesParametersTest, TextFormBothWaysAllOrNothing) {
  EXPECT_EQ(textOf(P()), "2000 1 4 3 0 3 0.5 2 0.5  2 3 0 2 0 2 0  ");
  P odd;
  odd.numPoints = 4294967295u;
  odd.connect = false;
  odd.xCombination = -7;
  odd.yCoords.terms[2] = {-15, 1.0 / 3};
  odd.xCoords.terms[0].phase = std::numeric_limits<double>::quiet_NaN();
  std::istringstream in(textOf(odd));
  P back;
  back.inputParameters(in);
  ASSERT_FALSE(in.fail());
  EXPECT_EQ(textOf(back), textOf(odd));
  EXPECT_EQ(back.numPoints, 4294967295u);
  EXPECT_EQ(back.yCoords.terms[2].phase, 0.333333333333);

  for (char const* bad : {"2000 1 4 3 0 3 0.5 2 0.5 2 3 0 2 0 2", "2000 1 4 3 0 3 0.5 2.5 0.5 2 3 0 2 0 2 0",
                          "many 1 4 3 0 3 0.5 2 0.5 2 3 0 2 0 2 0", ""}) {
    P kept;
    kept.numPoints = 5;
    std::istringstream is(bad);
    kept.inputParameters(is);
    EXPECT_TRUE(is.fail()) << bad;
    EXPECT_EQ(kept.numPoints, 5u) << bad;
    EXPECT_EQ(kept.yCoords.terms[2].frequency, 2) << bad;
  }
  // Integers beyond their type are pinned.
  std::istringstream wide("-5 7 99999999999 -99999999999 0 1 0 1 0 0 1 0 1 0 1 0");
  back.inputParameters(wide);
  ASSERT_FALSE(wide.fail());
  EXPECT_EQ(back.numPoints, 0u);
  EXPECT_TRUE(back.connect);
  EXPECT_EQ(back.xCombination, INT_MAX);
  EXPECT_EQ(back.xCoords.terms[0].frequency, INT_MIN);
  std::istringstream many("99999999999 0 0 1 0 1 0 1 0 0 1 0 1 0 1 0");
  back.inputParameters(many);
  EXPECT_EQ(back.numPoints, 4294967295u);
}

TEST(CurvesParametersTest, EqualityAndMorph) {
  P a, b;
  b.xCoords.terms[1].phase += 0.9e-5;
  EXPECT_TRUE(a == b);
  b.xCoords.terms[1].phase += 0.2e-5;
  EXPECT_FALSE(a == b);
  for (auto change : {+[](P& p) { p.numPoints = 1999; }, +[](P& p) { p.connect = false; },
                      +[](P& p) { p.yCombination = 3; }, +[](P& p) { p.yCoords.terms[2].frequency = 3; }}) {
    P c;
    change(c);
    EXPECT_FALSE(c == P());
  }

  P target;
  target.numPoints = 10;
  target.connect = false;
  target.xCombination = 0;
  target.yCombination = 6;
  target.xCoords.terms[0] = {4, 1};    // 3 -> 4
  target.yCoords.terms[0] = {-4, -1};  // 3 -> -4
  P m;
  m.morph(P(), target, 0.5);
  EXPECT_EQ(m.numPoints, 1005u);
  EXPECT_EQ(m.xCoords.terms[0].frequency, 3);   // 3.5 truncated
  EXPECT_EQ(m.yCoords.terms[0].frequency, 0);   // -0.5 toward zero
  EXPECT_EQ(m.xCoords.terms[0].phase, 0.5);
  EXPECT_EQ(m.xCombination, 4);
  EXPECT_TRUE(m.connect);
  m.morph(P(), target, 0.75);
  EXPECT_EQ(m.yCoords.terms[0].frequency, -2);  // -2.25
  m.morph(P(), target, 0);
  EXPECT_TRUE(m == P());
  m.morph(P(), target, 1);
  EXPECT_TRUE(m == target);
  m.morph(P(), target, 2);  // beyond the end: the count cannot go below 0
  EXPECT_EQ(m.numPoints, 0u);
  EXPECT_EQ(m.yCombination, 6);
  m.morph(P(), target, -1e10);
  EXPECT_EQ(m.numPoints, 4294967295u);
  EXPECT_EQ(m.xCoords.terms[0].frequency, INT_MIN);
}

TEST(CurvesParametersTest, SnapshotKindRecordAndMorph) {
  registerCoreFamilies();
  auto const made = SnapshotFactory::makeNewSnapshot("Curves", 3);
  ASSERT_NE(dynamic_cast<SnapshotCurves*>(made.get()), nullptr);
  EXPECT_EQ(SnapshotCurves::sID, "Curves");
  EXPECT_FALSE(SnapshotCurves::registerCreator());
  EXPECT_EQ(MakeNewSnapshotCurves()->getIdentifier(), "Curves");

  P p;
  p.numPoints = 321;
  p.yCoords.terms[1].phase = -0.25;
  auto const curves = std::make_shared<SnapshotCurves>("loop de loop", SnapshotCore(), p);
  std::ostringstream os;
  os << *curves;
  std::istringstream is(os.str());
  auto const back = readSnapshotRecord(is, 3);
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(back->isEqual(*curves));
  EXPECT_EQ(back->getName(), "loop de loop");

  SnapshotCore core;
  core.setNorm(9);
  auto const start = std::make_shared<SnapshotCurves>("start", SnapshotCore(), P());
  auto const half = start->morphTowards(curves, 0.5, core);
  EXPECT_EQ(half->getName(), "");
  EXPECT_EQ(half->getCore().getNorm(), 9);
  EXPECT_EQ(dynamic_cast<SnapshotCurves const&>(*half).getParameters().numPoints, 1160u);
  auto const foreign = start->morphTowards(SnapshotFactory::makeNewSnapshot("Halley", 3), 0.5, core);
  EXPECT_EQ(foreign->getName(), "start");
}

}  // namespace
}  // namespace orlenza
