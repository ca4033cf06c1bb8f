#include "core/generators/Curves/ParameterPaneCurves.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "core/CoreRegistration.h"
#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/generators/Curves/SnapshotCurves.h"
#include "core/generators/Halley/SnapshotHalley.h"
#include "core/model/RGBColor.h"

namespace orlenza {
namespace {

using P = CurvesParameters;
using Pane = ParameterPaneCurves;

P const& paramsOf(std::shared_ptr<Snapshot> const& s) { return dynamic_cast<SnapshotCurves&>(*s).getParameters(); }

void expectStatusZero(std::function<void()> const& call) {
  try {
    call();
    ADD_FAILURE() << "no exception";
  } catch (PlatformError const& e) {
    EXPECT_EQ(e.statusCode(), 0);
  }
}

// The raw draws of a generator seeded like the shared one.
struct Draws {
  explicit Draws(std::uint32_t seed) : generator(seed) {}
  double real(double a, double b) { return a + (generator.next() / 2147483647.0) * (b - a); }
  int integer(int lo, int hi) { return RandomUtils::intFromDraw(generator.next(), lo, hi); }
  AdditiveFeedbackGenerator generator;
};

constexpr int kAllLocks[] = {101, 102, 103, 111, 112, 113, 201, 202, 203, 211, 212, 213, 1001, 1002, 803, 818};

class ParameterPaneCurvesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registerCoreFamilies(); }
  Pane pane;
};

TEST_F(ParameterPaneCurvesTest, FieldsTruncatedFrequenciesAndCombinations) {
  auto const& fields = pane.fields();
  ASSERT_EQ(fields.size(), 16u);
  int const locks[] = {803, 818, 1001, 101, 111, 102, 112, 103, 113, 1002, 201, 211, 202, 212, 203, 213};
  constexpr FieldKind I = FieldKind::Integer, D = FieldKind::Double, C = FieldKind::Choice;
  FieldKind const kinds[] = {I, FieldKind::CheckBox, C, I, D, I, D, I, D, C, I, D, I, D, I, D};
  for (std::size_t i = 0; i < 16; ++i) {
    EXPECT_EQ(fields[i].lockIndex, locks[i]) << i;
    EXPECT_EQ(fields[i].kind, kinds[i]) << i;
  }
  EXPECT_EQ(fields[2].choices.size(), 7u);
  EXPECT_TRUE(pane.ignoresGeometry());

  P p;
  p.xCombination = 12;  // computes like 0
  pane.updateFromSnapshot(SnapshotCurves("", SnapshotCore(), p));
  EXPECT_EQ(pane.fieldText(0), "2000");
  EXPECT_EQ(pane.fieldText(1), "1");
  EXPECT_EQ(pane.fieldText(2), "curvecomb_0");
  EXPECT_EQ(pane.fieldText(9), "curvecomb_2");
  EXPECT_EQ(pane.fieldText(5), "3");
  EXPECT_EQ(pane.fieldText(6), "0.5");
  SnapshotCurves kept("", SnapshotCore(), p);
  pane.updateToSnapshot(kept);
  EXPECT_TRUE(kept.getParameters() == p);

  pane.setFieldText(0, "-5");
  pane.setFieldText(1, "0");
  pane.setFieldText(2, "curvecomb_6");
  pane.setFieldText(3, "3.9");
  pane.setFieldText(5, "-3.9");
  pane.setFieldText(8, "0.125");
  pane.setFieldText(9, "curvecomb_3");
  auto s = pane.makeNewSnapshot();
  pane.updateToSnapshot(*s);
  P const& q = paramsOf(s);
  EXPECT_EQ(q.numPoints, 0u);
  EXPECT_FALSE(q.connect);
  EXPECT_EQ(q.xCombination, 6);
  EXPECT_EQ(q.xCoords.terms[0].frequency, 3);
  EXPECT_EQ(q.xCoords.terms[1].frequency, -3);
  EXPECT_EQ(q.xCoords.terms[2].phase, 0.125);
  EXPECT_EQ(q.yCombination, 3);
  pane.setFieldText(0, "1e12");
  pane.updateToSnapshot(*s);
  EXPECT_EQ(paramsOf(s).numPoints, 4294967295u);

  SnapshotHalley other;
  expectStatusZero([&] { pane.updateFromSnapshot(other); });
  expectStatusZero([&] { pane.updateToSnapshot(other); });
}

TEST_F(ParameterPaneCurvesTest, DefaultSnapshotIsAGreenCurveOnBlack) {
  auto const s = pane.getDefaultSnapshot();
  ASSERT_EQ(s->getIdentifier(), "Curves");
  EXPECT_TRUE(paramsOf(s) == P());
  SnapshotCore const& core = s->getCore();
  EXPECT_TRUE(core.getView() == View(0, 0, 1.05, 0, false, false));
  EXPECT_EQ(core.getNorm(), 1);
  EXPECT_EQ(core.getNormalizerID(), "norm_sqrt");
  EXPECT_EQ(core.getPostfilteringID(), "pf_AntialiasingLight");
  GradationInfo const& g = core.getGradationInfo();
  EXPECT_EQ(g.gradation.size(), 2u);
  EXPECT_EQ(g.gradation.getColor(KeyframePosition(0.0)), k_RGBblack);
  EXPECT_EQ(g.gradation.getColor(KeyframePosition(1.0)), k_RGBgreen);
  EXPECT_EQ(g.auxiliary.scale, 1);
  EXPECT_EQ(g.auxiliary.offset, 0);
}

TEST_F(ParameterPaneCurvesTest, RandomSnapshotDrawsInOrderAndHonoursLocks) {
  SnapshotCore core;
  core.setNorm(4);
  core.setView(View(1, 2, 3, 4, true, false));
  auto const current = std::make_shared<SnapshotCurves>("now", core, P());

  RandomUtils::seed(4242);
  auto const s = pane.makeRandomSnap(current);
  Draws d(4242);
  P want;
  for (P::CoordParams* coords : {&want.xCoords, &want.yCoords})
    for (auto& term : coords->terms) {
      term.frequency = d.integer(1, 15);
      term.phase = d.real(0, 1) >= 0.75 ? d.real(-0.5, 0.5) : d.integer(1, 4) * 0.5 - 1;
    }
  want.xCombination = d.integer(0, 6);
  want.yCombination = d.integer(0, 6);
  int const m = d.integer(1, 6);
  want.numPoints = static_cast<unsigned>((m == 1 ? 10 : m == 2 ? 100 : 1000) * d.integer(1, 6));
  want.connect = d.real(0, 1) > 0.2;
  EXPECT_TRUE(paramsOf(s) == want);
  EXPECT_EQ(paramsOf(s).numPoints, want.numPoints);
  EXPECT_EQ(RandomUtils::random(), d.generator.next());
  double const size = 1.05 * std::max(P::getMaxValue(want.xCombination), P::getMaxValue(want.yCombination));
  EXPECT_TRUE(s->getCore().getView() == View(0, 0, size, 0, false, false));
  EXPECT_EQ(s->getCore().getNorm(), 4);
  EXPECT_EQ(s->getName(), "");

  // Every lock closed: nothing drawn, the size from the kept combinations.
  P odd;
  odd.xCombination = 3;
  odd.yCombination = 9;
  odd.numPoints = 17;
  for (int lock : kAllLocks) pane.setLocked(lock, true);
  auto const locked = pane.makeRandomSnap(std::make_shared<SnapshotCurves>("", core, odd));
  EXPECT_TRUE(paramsOf(locked) == odd);
  EXPECT_DOUBLE_EQ(locked->getCore().getView().getSize(), 3.15);
  for (int lock : kAllLocks) pane.setLocked(lock, false);

  for (int i = 0; i < 30; ++i) {
    auto const drawn = pane.makeRandomSnap(current);
    P const& r = paramsOf(drawn);
    EXPECT_TRUE(r.numPoints % 10 == 0 && r.numPoints >= 10 && r.numPoints <= 6000) << r.numPoints;
    for (auto const& term : r.yCoords.terms) {
      EXPECT_GE(term.frequency, 1);
      EXPECT_LE(term.frequency, 15);
      EXPECT_GE(term.phase, -0.5);
      EXPECT_LE(term.phase, 1);
    }
  }
  expectStatusZero([&] { pane.makeRandomSnap(std::make_shared<SnapshotHalley>()); });
}

}  // namespace
}  // namespace orlenza
