#include "core/generators/Halley/ParameterPaneHalley.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/CoreRegistration.h"
#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/engine/OrbitAnalyzer.h"
#include "core/generators/EscapeTime/SnapshotEscapeParams.h"
#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/Halley/SnapshotHalley.h"
#include "core/geometry/GeometrySwirl.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

constexpr std::size_t kLambda = ParameterPaneHalley::kLambdaField;
constexpr std::size_t kTest = ParameterPaneHalley::kConvergenceField;
constexpr std::size_t kAnalyzer = ParameterPaneHalley::kAnalyzerField;

HalleyParameters const& paramsOf(std::shared_ptr<Snapshot> const& s) {
  return dynamic_cast<SnapshotHalley&>(*s).getParameters();
}

std::shared_ptr<SnapshotHalley> withParameters(HalleyParameters const& p) {
  return std::make_shared<SnapshotHalley>("", SnapshotCore(), p);
}

void lockAll(ParameterPaneHalley& pane, bool locked) {
  for (int k = 0; k < 13; ++k) pane.setLocked(100 + k, locked);
  for (int index : {200, 300, 700}) pane.setLocked(index, locked);
}

class ParameterPaneHalleyTest : public gen_test::CoreTest {
 protected:
  ParameterPaneHalley pane;
};

TEST_F(ParameterPaneHalleyTest, FieldsLocksAndTabOrder) {
  auto const& fields = pane.fields();
  ASSERT_EQ(fields.size(), 16u);
  EXPECT_EQ(fields[kTest].choices, (std::vector<std::string>{"halconv_step", "halconv_modulus", "halconv_coordinate"}));
  EXPECT_EQ(fields[kAnalyzer].undoKey, "undo_orbit");
  std::vector<std::string> expected;
  for (auto const* analyzer : OrbitAnalyzerController::getAnalyzers()) expected.push_back(analyzer->getIdentifier());
  EXPECT_EQ(fields[kAnalyzer].choices, expected);

  EXPECT_EQ(pane.getNextTextBox(12), kLambda);
  EXPECT_EQ(pane.getNextTextBox(kLambda), std::nullopt);
  EXPECT_FALSE(pane.usesInverseGeometry() || pane.ignoresGeometry());
}

TEST_F(ParameterPaneHalleyTest, SnapshotToTextsAndBack) {
  HalleyParameters p;
  p.coefficients = {1.0 / 3.0, -2.0 / 3.0, 1e-300, -0.0, 123456789.123, 0.1, -1.2,
                    99,        2e10,       -1e-5,  0.5,  3.14159265358979, std::numeric_limits<double>::quiet_NaN()};
  p.setLambda(1.0 / 7.0);
  p.convergenceTest = 2;
  p.analyzerID = "OA_Angle";
  pane.updateFromSnapshot(*withParameters(p));
  char const* texts[] = {"0.3333333333", "-0.6666666667", "1e-300", "-0",     "123456789.1", "0.1",  "-1.2",
                         "99",           "2e+10",         "-1e-05", "0.5",    "3.141592654", "nan"};
  for (std::size_t k = 0; k < 13; ++k) EXPECT_EQ(pane.fieldText(k), texts[k]) << k;
  EXPECT_EQ(pane.fieldText(kLambda), "0.1428571429");
  EXPECT_EQ(pane.fieldText(kTest), "halconv_coordinate");
  EXPECT_EQ(pane.fieldText(kAnalyzer), "OA_Angle");

  auto back = pane.makeNewSnapshot();
  pane.updateToSnapshot(*back);
  HalleyParameters const& q = paramsOf(back);
  EXPECT_EQ(q.coefficients[0], 0.3333333333);
  EXPECT_TRUE(std::signbit(q.coefficients[3]));
  EXPECT_EQ(q.coefficients[8], 2e10);
  EXPECT_TRUE(std::isnan(q.coefficients[12]));
  EXPECT_EQ(q.getLambda(), 0.1428571429);
  EXPECT_EQ(q.convergenceTest, 2);
  EXPECT_EQ(q.analyzerID, "OA_Angle");

  // Typed lambdas go through the setter's clamp; text that is no finite number reads as 0.
  struct Typed {
    char const* text;
    double lambda;
  } const typed[] = {{"-0.5", 0.5}, {"0", 0.001}, {"5", 2}, {"nan", 0.001}, {"-inf", 0.001}, {"rubbish", 0.001}};
  for (auto const& t : typed) {
    pane.setFieldText(kLambda, t.text);
    pane.updateToSnapshot(*back);
    EXPECT_EQ(paramsOf(back).getLambda(), t.lambda) << t.text;
  }

  // Tests other than 1 and 2 show as the first item and survive the way back.
  for (int odd : {7, -5, 40000, 2000000000, 0}) {
    HalleyParameters o;
    o.convergenceTest = odd;
    auto const s = withParameters(o);
    pane.updateFromSnapshot(*s);
    EXPECT_EQ(pane.fieldText(kTest), "halconv_step") << odd;
    pane.updateToSnapshot(*s);
    EXPECT_EQ(s->getParameters().convergenceTest, odd);
    pane.setFieldText(kTest, "halconv_modulus");
    pane.updateToSnapshot(*s);
    EXPECT_EQ(s->getParameters().convergenceTest, 1);
    pane.setFieldText(kTest, "halconv_step");
    pane.updateToSnapshot(*s);
    EXPECT_EQ(s->getParameters().convergenceTest, 0);
  }

  // An analyzer nobody registered leaves the menu where it was.
  p.analyzerID = "OA_Unknown";
  pane.setFieldText(kAnalyzer, "OA_Real");
  pane.updateFromSnapshot(*withParameters(p));
  EXPECT_EQ(pane.fieldText(kAnalyzer), "OA_Real");

  SnapshotEscapeParams other;
  EXPECT_THROW(pane.updateFromSnapshot(other), PlatformError);
  EXPECT_THROW(pane.updateToSnapshot(other), PlatformError);
}

TEST_F(ParameterPaneHalleyTest, DefaultSnapshotAndRegistration) {
  auto const s = pane.getDefaultSnapshot();
  ASSERT_TRUE(s);
  EXPECT_EQ(s->getIdentifier(), "Halley");
  EXPECT_TRUE(paramsOf(s) == HalleyParameters());
  // Its core is pinned by the golden picture.
  EXPECT_NE(gen_test::paneFor<ParameterPaneHalley>("Halley"), nullptr);
}

TEST_F(ParameterPaneHalleyTest, RandomSnapshotHonoursLocks) {
  HalleyParameters p;
  p.coefficients[4] = 0.25;
  p.setLambda(1.75);
  p.convergenceTest = 7;
  p.analyzerID = "OA_Length";
  auto start = withParameters(p);
  start->setName("kept?");
  start->getCore().setNorm(77);
  start->getCore().setGeometry(std::make_shared<GeometrySwirl>());
  start->getCore().setView(View(3, 4, 0.01, 45, true, true));

  // Everything locked: only the name and the view change, and nothing is drawn.
  lockAll(pane, true);
  auto const same = gen_test::withoutDraws([&] { return pane.makeRandomSnap(start); });
  EXPECT_TRUE(paramsOf(same) == p);
  EXPECT_EQ(same->getName(), "");
  EXPECT_EQ(same->getCore().getGeometry(), start->getCore().getGeometry());
  SnapshotCore expectedCore = start->getCore();
  expectedCore.setView(View(0, 0, 1, 0, false, false));
  EXPECT_TRUE(same->getCore() == expectedCore);
  EXPECT_TRUE(start->getCore().getView() == View(3, 4, 0.01, 45, true, true));  // the start is not changed

  // Everything unlocked: the draws in their stated order.
  lockAll(pane, false);
  for (std::uint32_t seed : {1u, 2u, 77u, 4000000000u}) {
    RandomUtils::seed(seed);
    auto const r = pane.makeRandomSnap(start);
    AdditiveFeedbackGenerator g(seed);
    auto const unit = [&g] { return g.next() / 2147483647.0; };
    HalleyParameters const& q = paramsOf(r);
    for (int k = 0; k < 13; ++k) {
      if (unit() < 0.5) {
        double const whole = q.coefficients[k];
        EXPECT_TRUE(whole >= 1 && whole <= 99 && whole == std::floor(whole)) << seed << " c" << k << " " << whole;
        g.next();  // the whole number's draw
      } else {
        EXPECT_EQ(q.coefficients[k], 0) << seed << " c" << k;
      }
    }
    EXPECT_NEAR(q.getLambda(), 0.5 + unit(), 1e-12) << seed;
    double const t = unit();
    EXPECT_EQ(q.convergenceTest, t < 0.6 ? 0 : t < 0.8 ? 1 : 2) << seed;
    if (unit() < 0.5) {
      EXPECT_EQ(q.analyzerID, "OA_Dwell") << seed;
    }
    EXPECT_TRUE(r->getCore().getView() == View(0, 0, 1, 0, false, false));
  }

  // Some locked: they keep their values; the analyzer is any listed one.
  pane.setLocked(104, true);
  pane.setLocked(200, true);
  std::set<std::string> listed;
  for (auto const* analyzer : OrbitAnalyzerController::getAnalyzers()) listed.insert(analyzer->getIdentifier());
  int dwells = 0;
  RandomUtils::seed(123);
  for (int i = 0; i < 400; ++i) {
    auto const r = pane.makeRandomSnap(start);
    HalleyParameters const& q = paramsOf(r);
    EXPECT_EQ(q.coefficients[4], 0.25);
    EXPECT_EQ(q.getLambda(), 1.75);
    EXPECT_TRUE(listed.count(q.analyzerID)) << q.analyzerID;
    dwells += q.analyzerID == "OA_Dwell";
  }
  EXPECT_GT(dwells, 180);  // a half plus a twelfth of the rest
  EXPECT_LT(dwells, 290);  // the test's draw is pinned by the exact order above

  // No snapshot, or one of another kind, is refused with status 0.
  for (std::shared_ptr<Snapshot const> bad : {std::shared_ptr<Snapshot const>(),
                                              std::shared_ptr<Snapshot const>(std::make_shared<SnapshotEscapeParams>())}) {
    gen_test::expectStatusZero([&] { pane.makeRandomSnap(bad); });
  }
}

}  // namespace
}  // namespace orlenza
