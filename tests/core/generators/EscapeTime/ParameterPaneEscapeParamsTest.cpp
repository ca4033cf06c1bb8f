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

TEST_F(ParameterPaneEscapeParamsTest, FieldsLocksAndTabOrder) {
  auto const& fields = pane.fields();
  ASSERT_EQ(fields.size(), 14u);
  // The menu lists the analyzers in the controller's order.
  std::vector<std::string> expected;
  for (auto const* analyzer : OrbitAnalyzerController::getAnalyzers()) expected.push_back(analyzer->getIdentifier());
  EXPECT_EQ(fields[kAnalyzer].choices, expected);
  EXPECT_EQ(pane.getLastTextBox(), kFormula);
  EXPECT_EQ(pane.getNextTextBox(kFormula), std::nullopt);
  EXPECT_EQ(pane.getPrevTextBox(kFormula), 11u);
  EXPECT_EQ(fields[kAnalyzer].undoKey, "undo_orbit");
  EXPECT_FALSE(pane.usesInverseGeometry() || pane.ignoresGeometry());
}

// Number texts themselves (nan, -inf, ten digits) are AbstractParameterPaneTest's.
TEST_F(ParameterPaneEscapeParamsTest, SnapshotToTextsAndBack) {
  Coefficients k = {1.0 / 3.0, -2.0 / 3.0, 1e-300, -0.0, 123456789.123, 0.1,
                    -1.2,      1.3,        2e10,   -1e-5, 0.5,          3.14159265358979};
  pane.updateFromSnapshot(*withParameters(k, "OA_Angle"));
  char const* texts[] = {"0.3333333333", "-0.6666666667", "1e-300", "-0",     "123456789.1", "0.1",
                         "-1.2",         "1.3",           "2e+10",  "-1e-05", "0.5",         "3.141592654"};
  for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(pane.fieldText(i), texts[i]) << i;
  EXPECT_EQ(pane.fieldText(kFormula), "");  // off the grid
  EXPECT_EQ(pane.fieldText(kAnalyzer), "OA_Angle");

  auto back = pane.makeNewSnapshot();
  pane.updateToSnapshot(*back);
  auto const& p = paramsOf(back);
  double const tenDigits[] = {0.3333333333, -0.6666666667, 1e-300, -0.0, 123456789.1, 0.1,
                              -1.2,         1.3,           2e10,   -1e-5, 0.5,         3.141592654};
  for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(p.coefficients[i], tenDigits[i]) << i;
  EXPECT_TRUE(std::signbit(p.coefficients[3]));
  EXPECT_EQ(p.analyzerID, "OA_Angle");

  // An analyzer nobody registered leaves the menu where it was.
  pane.updateFromSnapshot(*withParameters(k, "OA_Unknown"));
  EXPECT_EQ(pane.fieldText(kAnalyzer), "OA_Angle");

  // A foreign kind is refused both ways.
  gen_test::ForeignSnapshot other;
  EXPECT_THROW(pane.updateFromSnapshot(other), PlatformError);
  EXPECT_THROW(pane.updateToSnapshot(other), PlatformError);
}

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

// View, norm and gradation of the default are pinned by its golden picture.
TEST_F(ParameterPaneEscapeParamsTest, DefaultSnapshotAndRegistration) {
  auto const s = pane.getDefaultSnapshot();
  ASSERT_TRUE(s);
  EXPECT_EQ(s->getIdentifier(), "EscParams");
  EXPECT_TRUE(paramsOf(s) == EscapeParameters());
  pane.updateFromSnapshot(*s);
  EXPECT_EQ(pane.fieldText(kFormula), "AAJUHGERPOCA");
  ParameterPaneEscapeParams::registerCreator();
  EXPECT_NE(gen_test::paneFor<ParameterPaneEscapeParams>("EscParams"), nullptr);
}

TEST_F(ParameterPaneEscapeParamsTest, RandomSnapshotHonoursLocks) {
  auto start = withParameters(EscapeParameters().coefficients, "OA_Length");
  start->setName("kept?");
  start->getCore().setNorm(77);
  start->getCore().setGeometry(std::make_shared<GeometrySwirl>());
  start->getCore().setView(View(3, 4, 0.01, 45, true, true));

  // Everything locked: the parameters stay, no number is drawn, the view resets.
  for (int i = 0; i < 12; ++i) pane.setLocked(101 + i, true);
  pane.setLocked(201, true);
  auto const same = gen_test::withoutDraws([&] { return pane.makeRandomSnap(start); });
  EXPECT_TRUE(paramsOf(same) == start->getParameters());
  EXPECT_EQ(same->getName(), "");
  EXPECT_EQ(same->getCore().getNorm(), 77);
  EXPECT_EQ(same->getCore().getGeometry(), start->getCore().getGeometry());
  EXPECT_TRUE(same->getCore().getView() == View(0, 0, 5, 0, false, false));
  EXPECT_EQ(start->getCore().getView().getCenterX(), 3);  // the start is not changed

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

  // The analyzer unlocked: mostly the dwell, otherwise any listed analyzer.
  pane.setLocked(201, false);
  std::set<std::string> listed;
  for (auto const* analyzer : OrbitAnalyzerController::getAnalyzers()) listed.insert(analyzer->getIdentifier());
  int dwells = 0;
  RandomUtils::seed(77);
  for (int i = 0; i < 200; ++i) {
    auto const r = pane.makeRandomSnap(withParameters(base, "OA_Length"));
    std::string const& id = paramsOf(r).analyzerID;
    EXPECT_TRUE(listed.count(id)) << id;
    dwells += id == "OA_Dwell";
  }
  EXPECT_GT(dwells, 140);
  EXPECT_LT(dwells, 199);

  // No snapshot is refused with status 0.
  gen_test::expectStatusZero([&] { pane.makeRandomSnap(nullptr); });
}

}  // namespace
}  // namespace orlenza
