#include "core/generators/OrbitFractal/ParameterPaneOrbitFractal.h"

#include <gtest/gtest.h>

#include <set>

#include "core/engine/OrbitAnalyzer.h"
#include "core/generators/GeneratorTestSupport.h"

namespace orlenza {
namespace {

template <class Pane>
void lockAll(Pane& pane, bool locked) {
  for (int index : {101, 102, 103, Pane::kIterationsLock, 700}) pane.setLocked(index, locked);
}

class ParameterPaneOrbitFractalTest : public gen_test::CoreTest {
 protected:
  ParameterPaneDynFractal dynPane;
  ParameterPaneGumFractal gumPane;
};

TEST_F(ParameterPaneOrbitFractalTest, SnapshotToTextsAndBackWithTheCountClamped) {
  SnapshotDynFractal s;
  s.getParameters().setParameter(0, 1.0 / 3.0);
  s.getParameters().setIterations(77);
  s.getParameters().analyzerID = "OA_Gravity";
  dynPane.updateFromSnapshot(s);
  EXPECT_EQ(dynPane.fieldText(0), "0.3333333333");
  EXPECT_EQ(dynPane.fieldText(3), "77");
  EXPECT_EQ(dynPane.fieldText(4), "OA_Gravity");
  auto back = dynPane.makeNewSnapshot();
  dynPane.updateToSnapshot(*back);
  auto const& q = dynamic_cast<SnapshotDynFractal&>(*back).getParameters();
  EXPECT_EQ(q.getParameter(0), 0.3333333333);
  EXPECT_EQ(q.getParameter(2), 4.5);
  EXPECT_EQ(q.getIterations(), 77);
  EXPECT_EQ(q.analyzerID, "OA_Gravity");
  struct Typed {
    char const* text;
    int count;
  } const typed[] = {{"50000", 10000}, {"0", 1}, {"-4", 1}, {"nan", 1}, {"rubbish", 1}, {"9999999999999999999", 10000}};
  for (auto const& t : typed) {
    dynPane.setFieldText(3, t.text);
    dynPane.updateToSnapshot(*back);
    EXPECT_EQ(q.getIterations(), t.count) << t.text;
  }
  EXPECT_THROW(gumPane.updateToSnapshot(s), PlatformError);  // the sibling kind is foreign too
}

TEST_F(ParameterPaneOrbitFractalTest, RandomSnapshotsHonourLocksAndNeverDwell) {
  auto start = std::make_shared<SnapshotGumFractal>();
  start->getParameters().setIterations(3);
  start->getParameters().analyzerID = "OA_Dwell";
  start->setName("named");
  gen_test::giveBusyCore(*start);

  lockAll(gumPane, false);
  std::set<std::string> analyzers;
  std::set<int> counts;
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    RandomUtils::seed(seed);
    auto const r = gumPane.makeRandomSnap(start);
    auto const& p = dynamic_cast<SnapshotGumFractal&>(*r).getParameters();
    for (unsigned i = 0; i < 3; ++i) {
      EXPECT_GE(p.getParameter(i), -5);
      EXPECT_LE(p.getParameter(i), 5);
    }
    counts.insert(p.getIterations());
    analyzers.insert(p.analyzerID);
  }
  EXPECT_EQ(counts.size(), 25u);
  EXPECT_EQ(*counts.begin(), 1);
  EXPECT_EQ(*counts.rbegin(), 25);
  EXPECT_EQ(analyzers.count("OA_Dwell"), 0u);
  EXPECT_EQ(analyzers.size(), OrbitAnalyzerController::getAnalyzers().size() - 1);

  // Only the count open: the coefficients and the analyzer stay.
  lockAll(dynPane, true);
  dynPane.setLocked(201, false);
  auto const dyn = std::make_shared<SnapshotDynFractal>();
  dyn->getParameters().analyzerID = "OA_Dwell";
  auto const drawn = dynPane.makeRandomSnap(dyn);
  auto const& d = dynamic_cast<SnapshotDynFractal&>(*drawn).getParameters();
  EXPECT_EQ(d.analyzerID, "OA_Dwell");
  EXPECT_EQ(d.getParameter(1), 3.0);

  EXPECT_THROW(gumPane.makeRandomSnap(dyn), PlatformError);
}

}  // namespace
}  // namespace orlenza
