#include "core/generators/DynSys/SnapshotDynSys.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <typeinfo>

#include "core/CoreRegistration.h"
#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/DynSys/DynSysBlocks.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

using SnapshotDynSysTest = gen_test::CoreTest;

using dynsys_test::block;

TEST_F(SnapshotDynSysTest, TextFormReadsBackAndCountsAreClamped) {
  // Odd values come back as written.
  SnapshotDSSinCos odd("", SnapshotCore(), block(123, {kNaN, -kInf, -0.0, 1e-300}, 1));
  EXPECT_EQ(gen_test::textOf(odd), "123 nan -inf -0 1e-300 1 ");
  SnapshotDSSinCos back;
  std::istringstream in(gen_test::textOf(odd));
  back.inputParameters(in);
  ASSERT_FALSE(in.fail());
  auto const& p = back.getParameters();
  EXPECT_EQ(p.numIterations, 123);
  EXPECT_TRUE(std::isnan(p.parameters[0]));
  EXPECT_EQ(p.parameters[1], -kInf);
  EXPECT_TRUE(std::signbit(p.parameters[2]));
  EXPECT_EQ(p.parameters[3], 1e-300);
  EXPECT_EQ(p.plotMode, 1);

  // Counts read from a file are kept as they are; past an int the record is bad.
  struct Case {
    char const* count;
    int read;
  } const counts[] = {{"2000000000", 2000000000}, {"-5", -5}, {"40000", 40000}, {"0", 0}, {"2147483647", 2147483647}};
  for (auto const& c : counts) {
    SnapshotDSHop s;
    std::istringstream is(std::string(c.count) + " 0.4 1 0 7 ");
    s.inputParameters(is);
    ASSERT_FALSE(is.fail()) << c.count;
    EXPECT_EQ(s.getParameters().numIterations, c.read) << c.count;
    EXPECT_EQ(s.getParameters().plotMode, 7);
  }

  // A "DynSys-SinSin" block holds exactly six parameters after the count.
  SnapshotDSSinSin sinSin;
  std::istringstream six("5 1 2 3 4 5 6 0 nextToken ");
  sinSin.inputParameters(six);
  EXPECT_EQ(sinSin.getParameters().parameters, (std::vector<double>{1, 2, 3, 4, 5, 6}));
  std::string rest;
  six >> rest;
  EXPECT_EQ(rest, "nextToken");

  // All or nothing: a bad or missing token fails and changes nothing.
  for (char const* bad : {"1000 1 2 x 0 ", "1000 1 2 ", "1e3 1 2 3 0 ", "1000 1 2 3 0.5 ", "99999999999999999999 1 2 3 0 "}) {
    SnapshotDSSqrt s("", SnapshotCore(), block(77, {9, 8, 7}));
    std::istringstream is(bad);
    s.inputParameters(is);
    EXPECT_TRUE(is.fail()) << bad;
    EXPECT_EQ(s.getParameters().numIterations, 77) << bad;
    EXPECT_EQ(s.getParameters().parameters, (std::vector<double>{9, 8, 7})) << bad;
  }
}

TEST_F(SnapshotDynSysTest, VectorsAlwaysHoldTheMembersCount) {
  // Made from a block of the wrong length, the vector is fitted.
  SnapshotDSSqrt longer("", SnapshotCore(), block(10, {1, 2, 3, 4, 5}));
  EXPECT_EQ(longer.getParameters().parameters, (std::vector<double>{1, 2, 3}));
  SnapshotDSSinSin shorter("", SnapshotCore(), block(2000000000, {7}));
  EXPECT_EQ(shorter.getParameters().parameters, (std::vector<double>{7, 1, 1, 1, 1, 1}));
  EXPECT_EQ(shorter.getParameters().numIterations, 2000000000);
  // Shortened through the reference, it still writes the member's count.
  shorter.getParameters().parameters.resize(2);
  EXPECT_EQ(gen_test::textOf(shorter), "2000000000 7 1 1 1 1 1 0 ");
  std::istringstream is("3 4 5 6 7 8 9 0 ");
  shorter.inputParameters(is);
  EXPECT_EQ(shorter.getParameters().parameters.size(), 6u);
}

TEST_F(SnapshotDynSysTest, EqualityAndMorph) {
  auto const a = std::make_shared<SnapshotDSSqrt>("a", SnapshotCore(), block(1000000, {1, 2, 3}, 1));
  auto const b = std::make_shared<SnapshotDSSqrt>("b", SnapshotCore(), block(2000001, {3, -2, 3.5}, 1));
  // Equality: count, mode and every parameter within 1e-10.
  struct Case {
    DynSysParameters other;
    bool equal;
  } const cases[] = {{block(1000000, {1, 2, 3 + 5e-11}, 1), true}, {block(1000000, {1, 2, 3 + 1e-9}, 1), false},
                     {block(1000001, {1, 2, 3}, 1), false},        {block(1000000, {1, 2, 3}, 0), false}};
  for (auto const& c : cases) EXPECT_EQ(a->isEqual_(SnapshotDSSqrt("", SnapshotCore(), c.other)), c.equal);
  SnapshotDSSqrt withNaN("", SnapshotCore(), block(5, {kNaN, 1, 1}));
  EXPECT_FALSE(withNaN.isEqual_(withNaN));

  // Halfway: counts truncated toward zero, parameters linear, always hit count.
  auto const half = a->morphTowards(b, 0.5);
  DynSysParameters const m = dynamic_cast<SnapshotDSSqrt const&>(*half).getParameters();
  EXPECT_EQ(m.numIterations, 1500000);
  EXPECT_EQ(m.parameters, (std::vector<double>{2, 0, 3.25}));
  EXPECT_EQ(m.plotMode, 0);
  EXPECT_EQ(half->getName(), "");
  // The ends give each side's block (in hit-count mode); far outside [0, 1]
  // or NaN the count stays inside its range.
  auto const morphed = [&](double t) {
    return dynamic_cast<SnapshotDSSqrt const&>(*a->morphTowards(b, t)).getParameters();
  };
  DynSysParameters const start = morphed(0), end = morphed(1);
  EXPECT_EQ(start.numIterations, 1000000);
  EXPECT_EQ(start.parameters, a->getParameters().parameters);
  EXPECT_EQ(end.numIterations, 2000001);
  EXPECT_EQ(end.parameters, b->getParameters().parameters);
  EXPECT_EQ(end.plotMode, 0);
  EXPECT_EQ(morphed(500).numIterations, 501000500);
  EXPECT_EQ(morphed(5000).numIterations, 2147483647);
  EXPECT_EQ(morphed(-5).numIterations, -4000005);
  EXPECT_EQ(morphed(kNaN).numIterations, 1000000);
}

}  // namespace
}  // namespace orlenza
