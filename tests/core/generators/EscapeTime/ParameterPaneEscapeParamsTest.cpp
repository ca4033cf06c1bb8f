#include "core/generators/EscapeTime/ParameterPaneEscapeParams.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/CoreRegistration.h"
#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/engine/OrbitAnalyzer.h"
#include "core/generators/EscapeTime/EscapeReference.h"
#include "core/generators/EscapeTime/SnapshotEscapeParams.h"
#include "core/generators/GeneratorTestSupport.h"
#include "core/geometry/GeometrySwirl.h"
#include "core/model/SnapshotKind.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

using Coefficients = std::array<double, 12>;
constexpr std::size_t kFormula = ParameterPaneEscapeParams::kFormulaField;
constexpr std::size_t kAnalyzer = ParameterPaneEscapeParams::kAnalyzerField;

// The origin's dwell under the map, written out apart from the iterator.
int originDwell(Coefficients const& k) { return escape_test::referenceDwell(k, 0, 0); }

std::shared_ptr<SnapshotEscapeParams> withParameters(Coefficients const& k, std::string analyzer = "OA_Dwell") {
  EscapeParameters p;
  p.coefficients = k;
  p.analyzerID = std::move(analyzer);
  return std::make_shared<SnapshotEscapeParams>("", SnapshotCore(), p);
}

EscapeParameters const& paramsOf(std::shared_ptr<Snapshot> const& s) {
  return dynamic_cast<SnapshotEscapeParams&>(*s).getParameters();
}

class Listener : public PaneListener {
 public:
  void adjustDrawing() override { ++adjusted; }
  void currentSnapshotControlsChanged(std::size_t field) override { changed.push_back(field); }
  int adjusted = 0;
  std::vector<std::size_t> changed;
};

class ParameterPaneEscapeParamsTest : public gen_test::CoreTest {
 protected:
  ParameterPaneEscapeParams pane;
};

TEST_F(ParameterPaneEscapeParamsTest, FormulaBothWays) {
  Listener listener;
  pane.setListener(&listener);
  Coefficients all;
  all.fill(-1.2);
  pane.updateFromSnapshot(*withParameters(all));
  EXPECT_EQ(pane.fieldText(kFormula), "AAAAAAAAAAAA");

  // Typed coefficients rebuild the formula on Tab or Return.
  pane.setFieldText(3, "1.3");
  pane.fieldCommitted(3, CommitKey::Tab);
  EXPECT_EQ(pane.fieldText(kFormula), "AAAZAAAAAAAA");
  pane.setFieldText(4, "-1.25");
  pane.fieldCommitted(4, CommitKey::Return);
  EXPECT_EQ(pane.fieldText(kFormula), "");
  EXPECT_EQ(pane.fieldText(4), "-1.25");  // the coefficient itself stays
  pane.setFieldText(4, "0");
  pane.fieldCommitted(4, CommitKey::Tab);
  EXPECT_EQ(pane.fieldText(kFormula), "AAAZMAAAAAAA");
  EXPECT_EQ(listener.adjusted, 0);  // the window reports coefficient edits itself

  // Lower-case letters and Return: the field is corrected and the coefficients follow.
  pane.setFieldText(kFormula, "abcdefghijkl");
  pane.fieldCommitted(kFormula, CommitKey::Tab);  // Tab does not convert
  EXPECT_EQ(pane.fieldText(kFormula), "abcdefghijkl");
  EXPECT_EQ(pane.fieldText(0), "-1.2");
  pane.fieldCommitted(kFormula, CommitKey::Return);
  EXPECT_EQ(pane.fieldText(kFormula), "ABCDEFGHIJKL");
  char const* texts[] = {"-1.2", "-1.1", "-1", "-0.9", "-0.8", "-0.7", "-0.6", "-0.5", "-0.4", "-0.3", "-0.2", "-0.1"};
  for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(pane.fieldText(i), texts[i]) << i;
  EXPECT_EQ(listener.adjusted, 1);
  EXPECT_EQ(listener.changed, std::vector<std::size_t>{kFormula});

  // Too short changes nothing and is not reported.
  pane.setFieldText(kFormula, "MMMMM");
  pane.fieldCommitted(kFormula, CommitKey::Return);
  EXPECT_EQ(pane.fieldText(kFormula), "MMMMM");
  EXPECT_EQ(pane.fieldText(0), "-1.2");
  EXPECT_EQ(listener.adjusted, 1);
  pane.setListener(nullptr);
}

TEST_F(ParameterPaneEscapeParamsTest, RandomSnapshotHonoursLocks) {
  pane.setLocked(101, true);
  pane.setLocked(201, true);

  // a0 locked at 2000: no draw can keep the origin inside, so the search ends
  // after 10,000 draws of eleven coefficients and keeps the last.
  Coefficients runaway = EscapeParameters().coefficients;
  runaway[0] = 2000;
  for (int i = 1; i < 12; ++i) pane.setLocked(101 + i, false);
  RandomUtils::seed(11);
  auto const stuck = pane.makeRandomSnap(withParameters(runaway));
  AdditiveFeedbackGenerator counter(11);
  for (int i = 0; i < 10000 * 11; ++i) counter.next();
  EXPECT_EQ(RandomUtils::random(), counter.next());
  EXPECT_EQ(paramsOf(stuck).coefficients[0], 2000);
  EXPECT_EQ(originDwell(paramsOf(stuck).coefficients), 1);

  // Some locked, the rest drawn in [-2, 2] until the origin lingers 100 ... 1023 steps.
  pane.setLocked(101, false);
  pane.setLocked(103, true);
  pane.setLocked(108, true);
  Coefficients const base = EscapeParameters().coefficients;
  for (std::uint32_t seed : {1u, 2u, 3u, 99u, 4000000000u}) {
    RandomUtils::seed(seed);
    auto const r = pane.makeRandomSnap(withParameters(base));
    auto const& k = paramsOf(r).coefficients;
    EXPECT_EQ(k[2], base[2]);
    EXPECT_EQ(k[7], base[7]);
    for (double v : k) EXPECT_TRUE(v >= -2.0 && v <= 2.0) << v;
    int const dwell = originDwell(k);
    EXPECT_GE(dwell, 100) << seed;
    EXPECT_LE(dwell, 1023) << seed;
    EXPECT_EQ(paramsOf(r).analyzerID, "OA_Dwell");  // analyzer still locked, start had OA_Dwell
    pane.updateFromSnapshot(*r);
    EXPECT_EQ(pane.fieldText(kFormula), "");  // random values are off the grid
  }
}

}  // namespace
}  // namespace orlenza
