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

TEST_F(ParameterPaneHalleyTest, RandomSnapshotHonoursLocks) {
  HalleyParameters p;
  p.coefficients[4] = 0.25;
  p.setLambda(1.75);
  p.convergenceTest = 7;
  p.analyzerID = "OA_Length";
  auto start = withParameters(p);
  // Everything unlocked: the draws in their stated order.
  lockAll(pane, false);
  // Enough seeds that each convergence test is drawn near its bounds.
  for (std::uint32_t seed = 1; seed <= 60; ++seed) {
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
}

}  // namespace
}  // namespace orlenza
