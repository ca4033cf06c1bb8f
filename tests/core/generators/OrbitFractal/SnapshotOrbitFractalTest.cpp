#include "core/generators/OrbitFractal/SnapshotOrbitFractal.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/Halley/SnapshotHalley.h"

namespace orlenza {
namespace {

using gen_test::readRecord;
using gen_test::textOf;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

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
  EXPECT_EQ(half->getName(), "");
  EXPECT_EQ(half->getCore().getNorm(), 13);
  EXPECT_EQ(morphed(0).getParameter(0), -1.5);
  EXPECT_EQ(morphed(0).getIterations(), 12);
  EXPECT_EQ(morphed(1).getParameter(0), 2.5);
  EXPECT_EQ(morphed(1).getIterations(), 25);
  EXPECT_EQ(morphed(kNaN).getIterations(), 12);
  EXPECT_EQ(morphed(-1).getIterations(), -1);
  EXPECT_EQ(morphed(1e300).getIterations(), 2147483647);
}

}  // namespace
}  // namespace orlenza
