#include "core/generators/Biomorph/ParameterPaneBiomorph.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "core/CoreRegistration.h"
#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/engine/OrbitAnalyzer.h"
#include "core/generators/Biomorph/SnapshotBiomorph.h"
#include "core/generators/Halley/SnapshotHalley.h"
#include "core/geometry/GeometrySwirl.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

using Pane = ParameterPaneBiomorph;
constexpr int kDoubleLocks[13] = {101, 102, 103, 104, 105, 106, 107, 108, 109, 111, 112, 121, 122};

BiomorphParameters const& paramsOf(std::shared_ptr<Snapshot> const& s) {
  return dynamic_cast<SnapshotBiomorph&>(*s).getParameters();
}

void lockAll(Pane& pane, bool locked) {
  for (int index : kDoubleLocks) pane.setLocked(index, locked);
  for (int index : {201, 501, 700}) pane.setLocked(index, locked);
}

class ParameterPaneBiomorphTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registerCoreFamilies(); }
  Pane pane;
};

TEST_F(ParameterPaneBiomorphTest, FieldsTextsAndClamps) {
  auto const& fields = pane.fields();
  ASSERT_EQ(fields.size(), 16u);
  for (std::size_t i = 0; i < 13; ++i) {
    EXPECT_EQ(fields[i].kind, FieldKind::Double) << i;
    EXPECT_EQ(fields[i].lockIndex, kDoubleLocks[i]) << i;
  }
  EXPECT_EQ(fields[Pane::kNumIterField].kind, FieldKind::Integer);
  EXPECT_EQ(fields[Pane::kNumIterField].lockIndex, 201);
  EXPECT_EQ(fields[Pane::kTestField].kind, FieldKind::CheckBox);
  EXPECT_EQ(fields[Pane::kTestField].lockIndex, 501);
  EXPECT_EQ(fields[Pane::kAnalyzerField].kind, FieldKind::Choice);
  EXPECT_EQ(fields[Pane::kAnalyzerField].lockIndex, 700);
  EXPECT_EQ(fields[Pane::kAnalyzerField].undoKey, "undo_orbit");
  EXPECT_EQ(fields[Pane::kAnalyzerField].choices.size(), OrbitAnalyzerController::getAnalyzers().size());
  EXPECT_EQ(pane.getLastTextBox(), Pane::kNumIterField);

  BiomorphParameters p;
  p.coefficients = {1.0 / 3, -2, 0, 0, 0, 1e-300};
  p.setTheta(0.75);
  p.analyzerID = "OA_Angle";
  p.biomorphTest = false;
  p.setNumIter(517);
  auto const shown = std::make_shared<SnapshotBiomorph>("", SnapshotCore(), p);
  pane.updateFromSnapshot(*shown);
  EXPECT_EQ(pane.fieldText(0), "0.3333333333");
  EXPECT_EQ(pane.fieldText(5), "1e-300");
  EXPECT_EQ(pane.fieldText(9), "0.75");
  EXPECT_EQ(pane.fieldText(11), "0.5");
  EXPECT_EQ(pane.fieldText(Pane::kNumIterField), "517");
  EXPECT_EQ(pane.fieldText(Pane::kTestField), "0");
  EXPECT_EQ(pane.fieldText(Pane::kAnalyzerField), "OA_Angle");
  auto back = pane.makeNewSnapshot();
  pane.updateToSnapshot(*back);
  EXPECT_EQ(paramsOf(back).coefficients[0], 0.3333333333);
  EXPECT_EQ(paramsOf(back).getNumIter(), 517);
  EXPECT_FALSE(paramsOf(back).biomorphTest);
  EXPECT_EQ(paramsOf(back).analyzerID, "OA_Angle");

  // Typed values go through the setters' ranges.
  struct Typed {
    char const* theta;
    char const* count;
    double thetaOut;
    int countOut;
  } const typed[] = {{"2", "0", 1, 1},         {"-3", "99999", 0, 32767}, {"nan", "-5", 0, 1},
                     {"0.5", "12.9", 0.5, 12}, {"inf", "1e30", 1, 32767}, {"x", "nan", 0, 1}};
  for (auto const& t : typed) {
    pane.setFieldText(9, t.theta);
    pane.setFieldText(10, t.theta);
    pane.setFieldText(Pane::kNumIterField, t.count);
    pane.updateToSnapshot(*back);
    EXPECT_EQ(paramsOf(back).getTheta(), t.thetaOut) << t.theta;
    EXPECT_EQ(paramsOf(back).getPhi(), t.thetaOut) << t.theta;
    EXPECT_EQ(paramsOf(back).getNumIter(), t.countOut) << t.count;
  }
  SnapshotHalley wrong;
  EXPECT_THROW(pane.updateToSnapshot(wrong), PlatformError);
  EXPECT_THROW(pane.updateFromSnapshot(wrong), PlatformError);

  auto const def = pane.getDefaultSnapshot();
  EXPECT_EQ(paramsOf(def).getTheta(), 1);
  EXPECT_EQ(def->getCore().getNorm(), 32);
  EXPECT_TRUE(def->getCore().getView() == View(0, 0, 1, 0, false, false));
  EXPECT_TRUE(paramsOf(pane.makeNewSnapshot()) == BiomorphParameters());
  EXPECT_NE(dynamic_cast<Pane*>(ParameterPaneFactory::makeNewParameterPane("Biomorph").get()), nullptr);
}

TEST_F(ParameterPaneBiomorphTest, RandomSnapshotsHonourLocks) {
  BiomorphParameters p;
  p.coefficients = {-7, -7, -7, -7, -7, -7};
  p.sinWeight = p.expWeight = p.powWeight = -7;
  p.fixedRe = p.fixedIm = -7;
  p.setTheta(0.123);
  p.setPhi(0.456);
  p.setNumIter(999);
  p.analyzerID = "OA_Length";
  p.biomorphTest = false;
  auto start = std::make_shared<SnapshotBiomorph>("kept?", SnapshotCore(), p);
  start->getCore().setGeometry(std::make_shared<GeometrySwirl>());
  start->getCore().setView(View(3, 4, 0.01, 45, true, true));

  lockAll(pane, true);
  RandomUtils::seed(5);
  auto const same = pane.makeRandomSnap(start);
  EXPECT_EQ(RandomUtils::random(), AdditiveFeedbackGenerator(5).next());  // nothing was drawn
  EXPECT_TRUE(paramsOf(same) == p);
  EXPECT_EQ(same->getName(), "");
  SnapshotCore expectedCore = start->getCore();
  expectedCore.setView(View(0, 0, 2.5, 0, false, false));
  EXPECT_TRUE(same->getCore() == expectedCore);

  // Unlocked: every value is kept or drawn from its range, each choice turns up.
  lockAll(pane, false);
  pane.setLocked(103, true);
  pane.setLocked(122, true);
  std::set<std::string> listed;
  for (auto const* analyzer : OrbitAnalyzerController::getAnalyzers()) listed.insert(analyzer->getIdentifier());
  int keptC0 = 0, keptPow = 0, theta0 = 0, theta1 = 0, thetaMid = 0, count32 = 0, tests = 0, dwells = 0;
  RandomUtils::seed(123);
  for (int i = 0; i < 1000; ++i) {
    BiomorphParameters const q = paramsOf(pane.makeRandomSnap(start));
    EXPECT_EQ(q.coefficients[2], -7);
    EXPECT_EQ(q.fixedIm, -7);
    for (double v : {q.coefficients[0], q.coefficients[5], q.sinWeight, q.expWeight, q.powWeight})
      ASSERT_TRUE(v == -7 || (v >= 0.5 && v <= 2.5)) << v;
    ASSERT_TRUE(q.fixedRe == -7 || (q.fixedRe >= -1.5 && q.fixedRe <= 1.5));
    ASSERT_TRUE(q.getNumIter() == 32 || (q.getNumIter() >= 3 && q.getNumIter() <= 24)) << q.getNumIter();
    ASSERT_TRUE(listed.count(q.analyzerID)) << q.analyzerID;
    keptC0 += q.coefficients[0] == -7;
    keptPow += q.powWeight == -7;
    theta0 += q.getTheta() == 0;
    theta1 += q.getTheta() == 1;
    thetaMid += q.getTheta() > 0 && q.getTheta() < 1;
    count32 += q.getNumIter() == 32;
    tests += q.biomorphTest;
    dwells += q.analyzerID == "OA_Dwell";
  }
  EXPECT_NEAR(keptC0, 500, 80);
  EXPECT_NEAR(keptPow, 900, 50);
  EXPECT_NEAR(theta0, 300, 70);
  EXPECT_NEAR(theta1, 300, 70);
  EXPECT_NEAR(thetaMid, 400, 70);
  EXPECT_NEAR(count32, 750, 70);
  EXPECT_NEAR(tests, 250, 70);
  EXPECT_NEAR(dwells, 540, 80);  // a half plus a twelfth of the rest

  for (std::shared_ptr<Snapshot const> bad : {std::shared_ptr<Snapshot const>(),
                                              std::shared_ptr<Snapshot const>(std::make_shared<SnapshotHalley>())}) {
    try {
      pane.makeRandomSnap(bad);
      FAIL();
    } catch (PlatformError const& e) {
      EXPECT_EQ(e.statusCode(), 0);
    }
  }
}

}  // namespace
}  // namespace orlenza
