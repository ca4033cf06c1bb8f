#include "core/generators/PhasePlane/SnapshotPhasePlane.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <typeinfo>

#include "core/CoreRegistration.h"
#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/PhasePlane/PhasePlaneBlocks.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

using SnapshotPhasePlaneTest = gen_test::CoreTest;

using phaseplane_test::block;

TEST_F(SnapshotPhasePlaneTest, TextFormReadsBackAndCountsAreClamped) {
  SnapshotPPsinprod odd("", SnapshotCore(), block(7, 0, kNaN, {-kInf, -0.0, 1e-300}));
  EXPECT_EQ(gen_test::textOf(odd), "7 0 nan -inf -0 1e-300 ");
  SnapshotPPsinprod back;
  std::istringstream in(gen_test::textOf(odd));
  back.inputParameters(in);
  ASSERT_FALSE(in.fail());
  auto const& p = back.getParameters();
  EXPECT_EQ(p.gridDivisions, 7);
  EXPECT_EQ(p.numSteps, 0);
  EXPECT_TRUE(std::isnan(p.stepSize));
  EXPECT_EQ(p.parameters[0], -kInf);
  EXPECT_TRUE(std::signbit(p.parameters[1]));
  EXPECT_EQ(p.parameters[2], 1e-300);

  // Grid divisions land in [1, 10000], steps in [0, 100,000,000].
  struct Case {
    char const* counts;
    int divisions, steps;
  } const cases[] = {{"0 50", 1, 50},           {"-3 -1", 1, 0},           {"2000000000 2000000000", 10000, 100000000},
                     {"10000 100000000", 10000, 100000000}, {"-9223372036854775808 9", 1, 9}, {"1 1", 1, 1}};
  for (auto const& c : cases) {
    SnapshotPPsinprod s;
    std::istringstream is(std::string(c.counts) + " 0.2 1 2 3 ");
    s.inputParameters(is);
    ASSERT_FALSE(is.fail()) << c.counts;
    EXPECT_EQ(s.getParameters().gridDivisions, c.divisions) << c.counts;
    EXPECT_EQ(s.getParameters().numSteps, c.steps) << c.counts;
    EXPECT_EQ(s.getParameters().parameters, (std::vector<double>{1, 2, 3}));
  }

  // The count of coefficients comes from the kind: five for "PhasePlane-tan".
  SnapshotPPtan tan;
  std::istringstream five("40 60 0.05 1 2 3 4 5 nextToken ");
  tan.inputParameters(five);
  EXPECT_EQ(tan.getParameters().parameters, (std::vector<double>{1, 2, 3, 4, 5}));
  std::string rest;
  five >> rest;
  EXPECT_EQ(rest, "nextToken");

  // All or nothing: a bad or missing token fails and changes nothing.
  for (char const* bad : {"50 50 0.1 1 x 3 ", "50 50 0.1 1 2 ", "50 5.5 0.1 1 2 3 ", "99999999999999999999 50 0.1 1 2 3 "}) {
    SnapshotPPsinprod s("", SnapshotCore(), block(9, 8, 0.7, {6, 5, 4}));
    std::istringstream is(bad);
    s.inputParameters(is);
    EXPECT_TRUE(is.fail()) << bad;
    EXPECT_TRUE(s.getParameters() == block(9, 8, 0.7, {6, 5, 4})) << bad;
  }

  // A whole record of each member reads back equal.
  std::shared_ptr<Snapshot> const records[] = {
      std::make_shared<SnapshotPPxsin>("three word name", SnapshotCore(), block(30, 150, 0.37, {1.5, -2, 0.25, 0, 4})),
      std::make_shared<SnapshotPPsinprod>("", SnapshotCore(), block(60, 200, 0.01, {-4.75, 3, 2.5})),
      std::make_shared<SnapshotPPtan>("tan", SnapshotCore(), block(1, 0, 0.5, {0, 0, 0, 0, 0}))};
  for (auto const& s : records) {
    auto const read = gen_test::readRecord(gen_test::recordOf(*s));
    ASSERT_TRUE(read);
    Snapshot const &r = *read, &w = *s;
    EXPECT_EQ(typeid(r), typeid(w));
    EXPECT_TRUE(read->isEqual(*s)) << s->getIdentifier();
    EXPECT_EQ(read->getName(), s->getName().empty() ? "?" : s->getName());
  }
}

TEST_F(SnapshotPhasePlaneTest, BlocksAlwaysHoldTheMembersCount) {
  SnapshotPPsinprod longer("", SnapshotCore(), block(0, -4, 0.1, {1, 2, 3, 4, 5}));
  EXPECT_EQ(longer.getParameters().parameters, (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(longer.getParameters().gridDivisions, 1);
  EXPECT_EQ(longer.getParameters().numSteps, 0);
  SnapshotPPxsin shorter("", SnapshotCore(), block(50, 50, 0.1, {7}));
  EXPECT_EQ(shorter.getParameters().parameters, (std::vector<double>{7, 1, 1, 1, 1}));
  // Shortened and set out of range through the reference, it still writes
  // what reads back.
  shorter.getParameters().parameters.resize(2);
  shorter.getParameters().gridDivisions = -1;
  EXPECT_EQ(gen_test::textOf(shorter), "1 50 0.1 7 1 1 1 1 ");
  shorter.setParameters(block(3, 3, 3, {}));
  EXPECT_EQ(shorter.getParameters().parameters.size(), 5u);
}

TEST_F(SnapshotPhasePlaneTest, EqualityAndMorph) {
  auto const a = std::make_shared<SnapshotPPsinprod>("a", SnapshotCore(), block(40, 50, 0.1, {1, 2, 3}));
  auto const b = std::make_shared<SnapshotPPsinprod>("b", SnapshotCore(), block(61, 101, 0.3, {3, -2, 3.5}));
  struct Case {
    PhasePlaneParameters other;
    bool equal;
  } const cases[] = {{block(40, 50, 0.1 + 5e-11, {1, 2, 3 + 5e-11}), true}, {block(40, 50, 0.1, {1, 2, 3 + 1e-9}), false},
                     {block(40, 50, 0.1 + 1e-9, {1, 2, 3}), false},          {block(41, 50, 0.1, {1, 2, 3}), false},
                     {block(40, 51, 0.1, {1, 2, 3}), false}};
  for (auto const& c : cases) EXPECT_EQ(a->isEqual_(SnapshotPPsinprod("", SnapshotCore(), c.other)), c.equal);
  EXPECT_FALSE(block(40, 50, 0.1, {1, 2}) == block(40, 50, 0.1, {1, 2, 3}));
  SnapshotPPsinprod withNaN("", SnapshotCore(), block(5, 5, kNaN, {1, 1, 1}));
  EXPECT_FALSE(withNaN.isEqual_(withNaN));

  auto const morphed = [&](double t) {
    return dynamic_cast<SnapshotPPsinprod const&>(*a->morphTowards(b, t)).getParameters();
  };
  // Halfway: 50 and 101 steps give 75, 40 and 61 divisions give 50.
  PhasePlaneParameters const half = morphed(0.5);
  EXPECT_EQ(half.numSteps, 75);
  EXPECT_EQ(half.gridDivisions, 50);
  EXPECT_DOUBLE_EQ(half.stepSize, 0.2);
  EXPECT_EQ(half.parameters, (std::vector<double>{2, 0, 3.25}));
  EXPECT_EQ(a->morphTowards(b, 0.5)->getName(), "");
  EXPECT_TRUE(morphed(0) == a->getParameters());
  EXPECT_TRUE(morphed(1) == b->getParameters());
  // Far outside [0, 1] or NaN the counts stay in their ranges.
  EXPECT_EQ(morphed(-5).gridDivisions, 1);
  EXPECT_EQ(morphed(-5).numSteps, 0);
  EXPECT_EQ(morphed(1e12).gridDivisions, 10000);
  EXPECT_EQ(morphed(1e12).numSteps, 100000000);
  EXPECT_EQ(morphed(kNaN).gridDivisions, 40);
  EXPECT_EQ(morphed(kNaN).numSteps, 50);
}

}  // namespace
}  // namespace orlenza
