#include "core/engine/OrbitAnalyzer.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "core/base/RandomUtils.h"

namespace orlenza {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
double const kNaN = std::nan("");
double const kPi = std::acos(-1.0);

// The table order of the analyzers, which is also the menu order.
std::array<char const*, 12> const kIdentifiers = {
    "OA_Dwell", "OA_Distance", "OA_Length", "OA_Gravity",   "OA_Closeness", "OA_Angle",
    "OA_Harmonic", "OA_Real", "OA_Imag",  "OA_Potential", "OA_MinDist",   "OA_CrossTrap",
};

Orbit orbitOf(std::vector<ComplexDouble> const& points) {
  Orbit orbit;
  for (ComplexDouble const& p : points) orbit.add(p);
  return orbit;
}

// Expected values in table order; NaN means the answer must be NaN.
using Readings = std::array<double, 12>;

class OrbitAnalyzerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registerAllOrbitAnalyzers(); }

  static double read(char const* id, std::vector<ComplexDouble> const& points) {
    return OrbitAnalyzer::getAnalyzerFromID(id)->extract(orbitOf(points));
  }

  static void expectReadings(char const* what, std::vector<ComplexDouble> const& points, Readings const& expected) {
    Orbit const orbit = orbitOf(points);
    for (std::size_t i = 0; i < kIdentifiers.size(); ++i) {
      OrbitAnalyzer const* analyzer = OrbitAnalyzer::getAnalyzerFromID(kIdentifiers[i]);
      ASSERT_NE(analyzer, nullptr) << kIdentifiers[i];
      double const value = analyzer->extract(orbit);
      if (std::isnan(expected[i])) {
        EXPECT_TRUE(std::isnan(value)) << what << ": " << kIdentifiers[i] << " gave " << value;
      } else if (std::isinf(expected[i])) {
        EXPECT_EQ(value, expected[i]) << what << ": " << kIdentifiers[i];
      } else {
        EXPECT_NEAR(value, expected[i], 1e-12 * std::max(1.0, std::fabs(expected[i])))
            << what << ": " << kIdentifiers[i];
      }
    }
  }
};

TEST_F(OrbitAnalyzerTest, ReadingsOfSmallOrbits) {
  //                 Dwell  Dist  Length Gravity   Close Angle  Harm  Real  Imag  Pot   MinD  Cross
  expectReadings("empty", {}, {4294967295.0, 0, 0, kNaN, 1, 0, 0, 0, 0, 0, 0, 0});
  expectReadings("one point (3, 4)", {{3, 4}}, {0, 0, 0, 5, 1, 0, 5, 3, 4, 5, 5, 0});
  expectReadings("(0, 0), (3, 4)", {{0, 0}, {3, 4}},
                 {1, 5, 5, 2.5, 1, std::atan2(4.0, 3.0), 5, 3, 4, 2.5, 0, 0});
  // Harmonic: -1 + 2/1 + 2/2 = 2; centroid (5/3, 0); the trap meets (2, 0) on the x axis.
  expectReadings("(1, 0), (2, 0), (2, 0)", {{1, 0}, {2, 0}, {2, 0}},
                 {2, 1, 1, 5.0 / 3.0, 1, 0, 2, 2, 0, 2.0 / 3.0, 1, 0.01});
  // Length 5 + 4; centroid (2, 4/3); Closeness |(3, 0)| / |(3, 4)|; Angle of (3, 0)
  // is 0; Harmonic (3, 4) / 1 + (3, 0) / 2 = (4.5, 4).
  expectReadings("(0, 0), (3, 4), (3, 0)", {{0, 0}, {3, 4}, {3, 0}},
                 {2, 3, 9, std::sqrt(4.0 + 16.0 / 9.0), 0.6, 0, std::sqrt(4.5 * 4.5 + 16.0), 3, 0, 1, 0, 0.01});
  // The first step has length 0, taken as 1: Closeness is |last - p0| itself.
  expectReadings("(0, 0), (0, 0), (3, 4)", {{0, 0}, {0, 0}, {3, 4}},
                 {2, 5, 5, 5.0 / 3.0, 5, std::atan2(4.0, 3.0), 2.5, 3, 4, 5.0 / 3.0, 0, 0.01});
  // Going left: the angle is pi, also when the difference's y is -0.
  expectReadings("(1, 0), (0, -0)", {{1, 0}, {0, -0.0}}, {1, 1, 1, 0.5, 1, kPi, 1, 0, 0, 0, 0, 0.01});
  // Below and left: abs of a negative argument.
  expectReadings("(0, 0), (-3, -4)", {{0, 0}, {-3, -4}},
                 {1, 5, 5, 2.5, 1, kPi - std::atan(4.0 / 3.0), 5, 3, 4, 2.5, 0, 0});
}

TEST_F(OrbitAnalyzerTest, DetailsOfSingleAnalyzers) {
  EXPECT_DOUBLE_EQ(read("OA_CrossTrap", {{1, 1}, {2, 0.005}}), 0.005);
  EXPECT_DOUBLE_EQ(read("OA_CrossTrap", {{1, 1}, {1, 1}, {-0.004, 3}}), 0.006);
  // The first close point counts, not the closest; the start is never tested.
  EXPECT_DOUBLE_EQ(read("OA_CrossTrap", {{1, 1}, {0.008, 5}, {0, 0}}), 0.002);
  EXPECT_EQ(read("OA_CrossTrap", {{0, 0}, {1, 1}}), 0.0);
  EXPECT_EQ(read("OA_CrossTrap", {{1, 1}, {0.01, 0.01}}), 0.0);  // 0.01 is not below 0.01
  // Back where it started, within 1e-5: no angle.
  EXPECT_EQ(read("OA_Angle", {{1, 1}, {5, 5}, {1 + 1e-6, 1 - 1e-6}}), 0.0);
  EXPECT_NEAR(read("OA_Angle", {{1, 1}, {5, 5}, {1, 1 + 1e-4}}), kPi / 2, 1e-12);
  // Harmonic weights 1/k: -0 + 1 + 2/2 + 3/3.
  EXPECT_DOUBLE_EQ(read("OA_Harmonic", {{0, 0}, {1, 0}, {2, 0}, {3, 0}}), 3.0);
  EXPECT_DOUBLE_EQ(read("OA_MinDist", {{3, 4}, {0.6, 0.8}, {6, 8}}), 1.0);
  // 1e200 squared overflows: |q| follows the sum of squares, as defined.
  EXPECT_EQ(read("OA_Distance", {{0, 0}, {1e200, 0}}), kInf);
}

TEST_F(OrbitAnalyzerTest, NonFinitePointsGiveDefinedValues) {
  //                 Dwell  Dist  Length Gravity Close Angle  Harm  Real  Imag  Pot   MinD  Cross
  expectReadings("one NaN point", {{kNaN, 0}}, {0, kNaN, 0, kNaN, 1, 0, kNaN, kNaN, 0, kNaN, kNaN, 0});
  expectReadings("to inf on the x axis", {{0, 0}, {kInf, 0}},
                 {1, kInf, kInf, kInf, kNaN, 0, kInf, kInf, 0, kInf, 0, 0.01});
  expectReadings("to inf on the diagonal", {{0, 0}, {kInf, kInf}},
                 {1, kInf, kInf, kInf, kNaN, kPi / 4, kInf, kInf, kInf, kInf, 0, 0});
  expectReadings("to NaN", {{0, 0}, {kNaN, kNaN}},
                 {1, kNaN, kNaN, kNaN, kNaN, 0, kNaN, kNaN, kNaN, kNaN, 0, 0});
  expectReadings("from -inf to inf", {{-kInf, 0}, {kInf, 0}},
                 {1, kInf, kInf, kNaN, kNaN, 0, kInf, kInf, 0, kInf, kInf, 0.01});

  // A NaN point has no distance; where it sits does not matter.
  EXPECT_EQ(read("OA_MinDist", {{kNaN, 0}, {3, 4}}), 5.0);
  EXPECT_EQ(read("OA_MinDist", {{3, 4}, {kNaN, 0}}), 5.0);
  EXPECT_TRUE(std::isnan(read("OA_MinDist", {{kNaN, 0}, {0, kNaN}})));
  // Near the x axis whatever x is, and the other way round.
  EXPECT_DOUBLE_EQ(read("OA_CrossTrap", {{1, 1}, {kNaN, 0.004}}), 0.006);
  EXPECT_DOUBLE_EQ(read("OA_CrossTrap", {{1, 1}, {0.004, kNaN}}), 0.006);
  EXPECT_EQ(read("OA_CrossTrap", {{1, 1}, {kNaN, kNaN}, {kInf, -kInf}}), 0.0);
}

class StandIn final : public OrbitAnalyzer {
 public:
  explicit StandIn(char const* identifier) : OrbitAnalyzer(identifier) {}
  double extract(Orbit const&) const override { return -1; }
};

TEST_F(OrbitAnalyzerTest, RegistryKeepsTheFirstAndControllerListsTheTwelveInTableOrder) {
  auto const& analyzers = OrbitAnalyzerController::getAnalyzers();
  ASSERT_EQ(analyzers.size(), kIdentifiers.size());
  for (std::size_t i = 0; i < analyzers.size(); ++i) {
    EXPECT_EQ(analyzers[i]->getIdentifier(), kIdentifiers[i]) << i;
    EXPECT_EQ(analyzers[i], OrbitAnalyzer::getAnalyzerFromID(kIdentifiers[i])) << i;
  }
  for (char const* unknown : {"", "OA_dwell", "oa_Dwell", "OA_Dwell ", "OA_Nothing", "norm_lin"})
    EXPECT_EQ(OrbitAnalyzer::getAnalyzerFromID(unknown), nullptr) << '"' << unknown << '"';

  OrbitAnalyzer const* original = OrbitAnalyzer::getAnalyzerFromID("OA_Dwell");
  EXPECT_EQ(original, &OrbitAnalyzerDwell::instance());
  {
    StandIn const duplicate("OA_Dwell");
    EXPECT_EQ(OrbitAnalyzer::getAnalyzerFromID("OA_Dwell"), original);
    StandIn const extra("OA_StandIn");
    EXPECT_EQ(OrbitAnalyzer::getAnalyzerFromID("OA_StandIn"), &extra);
  }
  // The duplicate's end leaves the first in place; the extra one leaves.
  EXPECT_EQ(OrbitAnalyzer::getAnalyzerFromID("OA_Dwell"), original);
  EXPECT_EQ(OrbitAnalyzer::getAnalyzerFromID("OA_StandIn"), nullptr);
  // Listing again makes nothing new.
  registerAllOrbitAnalyzers();
  EXPECT_EQ(OrbitAnalyzer::getAnalyzerFromID("OA_Dwell"), original);
}

TEST_F(OrbitAnalyzerTest, RandomIdentifierIsOneDrawOverTheList) {
  RandomUtils::seed(4294967295u);
  std::vector<std::string> drawn;
  for (int i = 0; i < 600; ++i) drawn.push_back(OrbitAnalyzerController::getRandomAnalyzerIdentifier());
  // The same seed again: each identifier is the element of one intRnd(0, 11).
  RandomUtils::seed(4294967295u);
  std::set<std::string> seen;
  for (std::string const& id : drawn) {
    unsigned short const index = RandomUtils::intRnd(0, 11);
    ASSERT_LT(index, kIdentifiers.size());
    EXPECT_EQ(id, kIdentifiers[index]);
    seen.insert(id);
  }
  EXPECT_EQ(seen.size(), kIdentifiers.size());  // both ends of the list come up
}

}  // namespace
}  // namespace orlenza
