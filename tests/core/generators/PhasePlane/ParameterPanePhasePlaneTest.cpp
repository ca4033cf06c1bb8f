#include "core/generators/PhasePlane/ParameterPanePhasePlane.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "core/CoreRegistration.h"
#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/base/StringTable.h"
#include "core/generators/DynSys/SnapshotDynSys.h"
#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/PhasePlane/PhasePlaneBlocks.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

using phaseplane_test::block;

PhasePlaneParameters const& paramsOf(std::shared_ptr<Snapshot> const& s) {
  return dynamic_cast<SnapshotPhasePlane&>(*s).getParameters();
}

auto paneFor(std::string const& identifier) { return gen_test::paneFor<ParameterPanePhasePlane>(identifier); }

// The default cores (view, filters, norms, gradations) are pinned by the golden pictures.
struct Row {
  char const* identifier;
  std::vector<double> coefficients;
  double stepSize;
};

std::vector<Row> const& rows() {
  static std::vector<Row> const table = {{"PhasePlane-xsin", {1, 0, 0, 1, 3}, 0.1},
                                         {"PhasePlane-sinprod", {1, 1, 1}, 0.1},
                                         {"PhasePlane-tan", {1, 3, 0, 0, 0}, 0.05}};
  return table;
}

using ParameterPanePhasePlaneTest = gen_test::CoreTest;

TEST_F(ParameterPanePhasePlaneTest, FieldsBothWaysWithClamps) {
  auto pane = paneFor("PhasePlane-tan");
  double const nan = std::nan("");
  SnapshotPPtan s("", SnapshotCore(), block(37, 125, 0.123456789012345, {1.25, -0.0, nan, 1e-300, -4.5}));
  pane->updateFromSnapshot(s);
  char const* texts[] = {"1.25", "-0", "nan", "1e-300", "-4.5", "0.123456789012", "37", "125"};
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(pane->fieldText(i), texts[i]) << i;
  auto back = pane->makeNewSnapshot();
  pane->updateToSnapshot(*back);
  PhasePlaneParameters const& p = paramsOf(back);
  EXPECT_EQ(p.parameters[0], 1.25);
  EXPECT_TRUE(std::signbit(p.parameters[1]));
  EXPECT_TRUE(std::isnan(p.parameters[2]));
  EXPECT_EQ(p.stepSize, 0.123456789012);
  EXPECT_EQ(p.gridDivisions, 37);
  EXPECT_EQ(p.numSteps, 125);

  // Typed counts are held in range: at least one division, never negative steps.
  struct Case {
    char const* divisions;
    char const* steps;
    int readDivisions, readSteps;
  } const cases[] = {{"0", "-1", 1, 0},     {"-40", "x", 1, 0},   {"1e9", "1e12", 10000, 100000000},
                     {" 60 ", "200", 60, 200}, {"10000", "100000000", 10000, 100000000}};
  for (auto const& c : cases) {
    pane->setFieldText(6, c.divisions);
    pane->setFieldText(7, c.steps);
    pane->updateToSnapshot(*back);
    EXPECT_EQ(paramsOf(back).gridDivisions, c.readDivisions) << c.divisions;
    EXPECT_EQ(paramsOf(back).numSteps, c.readSteps) << c.steps;
  }

  // Other kinds, the other members included, are refused both ways.
  SnapshotPPxsin otherMember;
  SnapshotDSHop otherFamily;
  EXPECT_THROW(pane->updateFromSnapshot(otherMember), PlatformError);
  EXPECT_THROW(pane->updateToSnapshot(otherFamily), PlatformError);
}

TEST_F(ParameterPanePhasePlaneTest, RandomSnapshotsDrawInRangeAndHonourLocks) {
  for (Row const& row : rows()) {
    auto pane = paneFor(row.identifier);
    std::size_t const n = row.coefficients.size();
    char const* other = row.identifier == std::string("PhasePlane-tan") ? "PhasePlane-xsin" : "PhasePlane-tan";
    EXPECT_THROW(pane->makeRandomSnap(paneFor(other)->getDefaultSnapshot()), PlatformError);

    auto current = pane->getDefaultSnapshot();
    RandomUtils::seed(2024);
    int zeroK3 = 0, zeroK4 = 0;
    for (int draw = 0; draw < 400; ++draw) {
      auto const r = pane->makeRandomSnap(current);
      PhasePlaneParameters const& p = paramsOf(r);
      for (std::size_t i = 0; i < n; ++i) {
        double const limit = n == 5 && i == 2 ? 1 : 5;
        EXPECT_LE(std::fabs(p.parameters[i]), limit) << row.identifier << " k" << i + 1;
      }
      if (n == 5) {
        zeroK3 += p.parameters[2] == 0;
        zeroK4 += p.parameters[3] == 0;
      }
    }
    // Step size, divisions and steps: their draws are pinned by RandomDrawsComeInTheirOrder.
    if (n == 5) {  // zero about half the time, never for k1, k2, k5
      EXPECT_GT(zeroK3, 150);
      EXPECT_LT(zeroK3, 250);
      EXPECT_GT(zeroK4, 150);
      EXPECT_LT(zeroK4, 250);
    }

    // Every parameter locked but k2: only it changes.
    dynamic_cast<SnapshotPhasePlane&>(*current).getParameters().gridDivisions = 7;
    for (std::size_t i = 0; i < n; ++i) pane->setLocked(101 + static_cast<int>(i), i != 1);
    for (int lock : {201, 202, 203}) pane->setLocked(lock, true);
    auto const one = pane->makeRandomSnap(current);
    for (std::size_t i = 0; i < n; ++i)
      if (i != 1) {
        EXPECT_EQ(paramsOf(one).parameters[i], paramsOf(current).parameters[i]);
      }
    EXPECT_NE(paramsOf(one).parameters[1], paramsOf(current).parameters[1]);
    EXPECT_EQ(paramsOf(one).gridDivisions, 7);
  }
}

TEST_F(ParameterPanePhasePlaneTest, RandomDrawsComeInTheirOrder) {
  // sinprod: k1, k2, k3, then step size, divisions and the steps' coin (and its count).
  auto pane = paneFor("PhasePlane-sinprod");
  RandomUtils::seed(99);
  auto const r = pane->makeRandomSnap(pane->getDefaultSnapshot());
  RandomUtils::seed(99);
  double const k1 = RandomUtils::doubleRnd(-5, 5), k2 = RandomUtils::doubleRnd(-5, 5),
               k3 = RandomUtils::doubleRnd(-5, 5);
  double const h = RandomUtils::intRnd(1, 50) / 100.0;
  int const g = 10 * RandomUtils::intRnd(1, 4) + 20;
  int const n = RandomUtils::doubleRnd(0, 1) < 0.5 ? 50 : 50 * RandomUtils::intRnd(1, 4);
  EXPECT_TRUE(paramsOf(r) == block(g, n, h, {k1, k2, k3}));
  // A locked k1 draws nothing: k2 gets the first draw.
  pane->setLocked(101, true);
  RandomUtils::seed(99);
  auto const lockedFirst = pane->makeRandomSnap(pane->getDefaultSnapshot());
  EXPECT_EQ(paramsOf(lockedFirst).parameters[0], 1);
  EXPECT_EQ(paramsOf(lockedFirst).parameters[1], k1);
}

}  // namespace
}  // namespace orlenza
