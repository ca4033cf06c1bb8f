#include "core/generators/Biomorph/ParameterPaneBiomorph.h"

#include <gtest/gtest.h>

#include "core/generators/Biomorph/SnapshotBiomorph.h"
#include "core/generators/GeneratorTestSupport.h"

namespace orlenza {
namespace {

using Pane = ParameterPaneBiomorph;
constexpr int kLocks[16] = {101, 102, 103, 104, 105, 106, 107, 108, 109, 111, 112, 121, 122, 201, 501, 700};

BiomorphParameters const& paramsOf(std::shared_ptr<Snapshot> const& s) {
  return dynamic_cast<SnapshotBiomorph&>(*s).getParameters();
}

class ParameterPaneBiomorphTest : public gen_test::CoreTest {
 protected:
  Pane pane;
};

TEST_F(ParameterPaneBiomorphTest, FieldsDefaultsAndTypedClamps) {
  ASSERT_EQ(pane.fieldCount(), 16u);
  for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(pane.fields()[i].lockIndex, kLocks[i]) << i;
  EXPECT_EQ(pane.fields()[Pane::kTestField].kind, FieldKind::CheckBox);
  auto const def = pane.getDefaultSnapshot();
  EXPECT_EQ(paramsOf(def).getTheta(), 1);
  EXPECT_EQ(def->getCore().getNorm(), 32);

  BiomorphParameters p;
  p.coefficients[0] = 1.0 / 3;
  p.analyzerID = "OA_Angle";
  p.biomorphTest = false;
  p.setNumIter(517);
  pane.updateFromSnapshot(SnapshotBiomorph("", SnapshotCore(), p));
  EXPECT_EQ(pane.fieldText(0), "0.3333333333");
  EXPECT_EQ(pane.fieldText(Pane::kNumIterField), "517");
  auto back = pane.makeNewSnapshot();
  pane.updateToSnapshot(*back);
  EXPECT_EQ(paramsOf(back).getNumIter(), 517);
  EXPECT_FALSE(paramsOf(back).biomorphTest);
  EXPECT_EQ(paramsOf(back).analyzerID, "OA_Angle");
  struct Typed {
    char const *theta, *count;
    double thetaOut;
    int countOut;
  } const typed[] = {{"2", "0", 1, 1}, {"-3", "99999", 0, 32767}, {"nan", "-5", 0, 1}, {"0.5", "12.9", 0.5, 12}};
  for (auto const& t : typed) {
    pane.setFieldText(9, t.theta);
    pane.setFieldText(10, t.theta);
    pane.setFieldText(Pane::kNumIterField, t.count);
    pane.updateToSnapshot(*back);
    EXPECT_EQ(paramsOf(back).getTheta(), t.thetaOut) << t.theta;
    EXPECT_EQ(paramsOf(back).getPhi(), t.thetaOut) << t.theta;
    EXPECT_EQ(paramsOf(back).getNumIter(), t.countOut) << t.count;
  }
}

TEST_F(ParameterPaneBiomorphTest, RandomSnapshotsHonourLocks) {
  BiomorphParameters p;
  p.coefficients = {-7, -7, -7, -7, -7, -7};
  p.sinWeight = p.expWeight = p.powWeight = p.fixedRe = p.fixedIm = -7;
  p.setTheta(0.123);
  p.setNumIter(999);
  p.biomorphTest = false;
  auto const start = std::make_shared<SnapshotBiomorph>("", SnapshotCore(), p);
  for (int lock : kLocks) pane.setLocked(lock, lock == 103);
  int keptC0 = 0, keptPow = 0, theta0 = 0, thetaMid = 0, count32 = 0, tests = 0;
  RandomUtils::seed(123);
  for (int i = 0; i < 1000; ++i) {
    BiomorphParameters const q = paramsOf(pane.makeRandomSnap(start));
    EXPECT_EQ(q.coefficients[2], -7);
    for (double v : {q.coefficients[0], q.sinWeight, q.powWeight})
      ASSERT_TRUE(v == -7 || (v >= 0.5 && v <= 2.5)) << v;
    ASSERT_TRUE(q.fixedRe == -7 || (q.fixedRe >= -1.5 && q.fixedRe <= 1.5));
    ASSERT_TRUE(q.getNumIter() == 32 || (q.getNumIter() >= 3 && q.getNumIter() <= 24)) << q.getNumIter();
    keptC0 += q.coefficients[0] == -7;
    keptPow += q.powWeight == -7;
    theta0 += q.getTheta() == 0;
    thetaMid += q.getTheta() > 0 && q.getTheta() < 1;
    count32 += q.getNumIter() == 32;
    tests += q.biomorphTest;
  }
  EXPECT_NEAR(keptC0, 500, 80);
  EXPECT_NEAR(keptPow, 900, 50);
  EXPECT_NEAR(theta0, 300, 70);
  EXPECT_NEAR(thetaMid, 400, 70);
  EXPECT_NEAR(count32, 750, 70);
  EXPECT_NEAR(tests, 250, 70);
}

}  // namespace
}  // namespace orlenza
