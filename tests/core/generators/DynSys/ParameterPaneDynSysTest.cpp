#include "core/generators/DynSys/ParameterPaneDynSys.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "core/CoreRegistration.h"
#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/generators/EscapeTime/SnapshotEscapeParams.h"
#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/DynSys/DynSysBlocks.h"
#include "core/geometry/GeometrySwirl.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

using dynsys_test::block;

DynSysParameters const& paramsOf(std::shared_ptr<Snapshot> const& s) {
  return dynamic_cast<SnapshotDynSys&>(*s).getParameters();
}

auto paneFor(std::string const& identifier) { return gen_test::paneFor<ParameterPaneDynSys>(identifier); }

using ParameterPaneDynSysTest = gen_test::CoreTest;

TEST_F(ParameterPaneDynSysTest, IterationCountsInTheirUnitAndCapped) {
  auto sqrt = paneFor("DynSys-Sqrt");
  auto hop = paneFor("DynSys-Hopalong");
  struct Case {
    ParameterPaneDynSys* pane;
    int stored;
    char const* shown;
    char const* typed;  // nullptr: the field is left as shown
    int written;
  } const cases[] = {
      {sqrt.get(), 1000000, "1", "500", 100000000},  // 500 million asked, 100 million written
      {sqrt.get(), 1000000, "1", "2.6", 3000000},    // rounded to whole millions
      {sqrt.get(), 1000000, "1", "-5", 0},
      {sqrt.get(), 1000000, "1", "nan", 0},
      {sqrt.get(), 1000000, "1", "inf", 100000000},
      {sqrt.get(), 40000, "0", nullptr, 40000},       // untouched: a count below the unit survives
      {sqrt.get(), 1500000, "1", nullptr, 1500000},   // a morphed count too
      {sqrt.get(), 40000, "0", "0", 40000},           // typed as shown is untouched
      {sqrt.get(), 40000, "0", "1", 1000000},
      {hop.get(), 1000000, "1000", "500000", 100000000},  // thousands, capped at 100,000 of them
      {hop.get(), 1000000, "1000", "40", 40000},
      {hop.get(), 1500, "1", "1.5", 2000},
  };
  for (auto const& c : cases) {
    std::shared_ptr<Snapshot> shown = c.pane == sqrt.get()
                                          ? std::shared_ptr<Snapshot>(std::make_shared<SnapshotDSSqrt>(
                                                "", SnapshotCore(), block(c.stored, {1, 2, 1})))
                                          : std::make_shared<SnapshotDSHop>("", SnapshotCore(), block(c.stored, {1, 2, 1}));
    c.pane->updateFromSnapshot(*shown);
    EXPECT_EQ(c.pane->fieldText(0), c.shown) << c.stored;
    if (c.typed) c.pane->setFieldText(0, c.typed);
    auto back = c.pane->makeNewSnapshot();
    c.pane->updateToSnapshot(*back);
    EXPECT_EQ(paramsOf(back).numIterations, c.written) << c.stored << " " << (c.typed ? c.typed : "-");
  }
  EXPECT_EQ(ParameterPaneDynSys::iterationsFromText(" 7 ", 1000), 7000);
  EXPECT_EQ(ParameterPaneDynSys::iterationsFromText("1e300", 1000000), 100000000);
}

TEST_F(ParameterPaneDynSysTest, RandomSnapshotsHonourLocksAndRanges) {
  auto start = std::make_shared<SnapshotDSSqrt>("kept?", SnapshotCore(), block(4000, {9, 9, 9}, 1));
  auto sqrt = paneFor("DynSys-Sqrt");
  for (int lock : {101, 103, 200}) sqrt->setLocked(lock, true);
  // p1 unlocked alone: one draw in [1, 5], as a + r / (2^31 - 1) (b - a).
  sqrt->setLocked(102, false);
  RandomUtils::seed(9);
  auto const one = sqrt->makeRandomSnap(start);
  AdditiveFeedbackGenerator expected(9);
  double const r = expected.next();
  EXPECT_EQ(paramsOf(one).parameters, (std::vector<double>{9, 1 + r / 2147483647.0 * 4, 9}));
  EXPECT_EQ(paramsOf(one).numIterations, 4000);
  EXPECT_EQ(paramsOf(one).plotMode, 1);  // the plot mode stays

  // All unlocked: the member's ranges, 1,000,000 iterations.
  for (int lock : {101, 102, 103, 200}) sqrt->setLocked(lock, false);
  auto hop = paneFor("DynSys-Hopalong");
  RandomUtils::seed(21);
  for (int i = 0; i < 200; ++i) {
    auto const p = paramsOf(sqrt->makeRandomSnap(start));
    EXPECT_GE(p.parameters[0], 1);
    EXPECT_GE(p.parameters[1], 1);
    EXPECT_LE(p.parameters[1], 5);
    EXPECT_GE(p.parameters[2], -5);
    EXPECT_EQ(p.numIterations, 1000000);
    auto const q = paramsOf(hop->makeRandomSnap(start));  // any member's snapshot will do
    for (double v : q.parameters) EXPECT_TRUE(v >= -5 && v <= 5) << v;
    EXPECT_EQ(q.numIterations, 1000000);
  }
  // From a member with more parameters the vector is fitted to the pane's member.
  auto const sinSin = std::make_shared<SnapshotDSSinSin>();
  auto const fitted = sqrt->makeRandomSnap(sinSin);
  EXPECT_EQ(fitted->getIdentifier(), "DynSys-Sqrt");
  EXPECT_EQ(paramsOf(fitted).parameters.size(), 3u);

  // Gumowski: its own ranges, 500,000 iterations, its own kind only.
  auto gum = paneFor("DynSys-Gumowski");
  auto const gumStart = std::make_shared<SnapshotDSGumowski>();
  RandomUtils::seed(3);
  for (int i = 0; i < 200; ++i) {
    auto const p = paramsOf(gum->makeRandomSnap(gumStart));
    EXPECT_TRUE(p.parameters[0] >= 0 && p.parameters[0] <= 1) << p.parameters[0];
    EXPECT_TRUE(p.parameters[1] >= -1 && p.parameters[1] <= 1) << p.parameters[1];
    EXPECT_TRUE(p.parameters[2] >= 0 && p.parameters[2] <= 0.1) << p.parameters[2];
    EXPECT_EQ(p.numIterations, 500000);
  }
  // Another member is refused with status 0.
  gen_test::expectStatusZero([&] { gum->makeRandomSnap(start); });
}

}  // namespace
}  // namespace orlenza
