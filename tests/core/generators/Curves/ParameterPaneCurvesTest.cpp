#include "core/generators/Curves/ParameterPaneCurves.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/generators/Curves/SnapshotCurves.h"
#include "core/generators/GeneratorTestSupport.h"

namespace orlenza {
namespace {

using gen_test::Draws;

using P = CurvesParameters;

P const& paramsOf(std::shared_ptr<Snapshot> const& s) { return dynamic_cast<SnapshotCurves&>(*s).getParameters(); }

constexpr int kLocks[] = {803, 818, 1001, 101, 111, 102, 112, 103, 113, 1002, 201, 211, 202, 212, 203, 213};

class ParameterPaneCurvesTest : public gen_test::CoreTest {
 protected:
  ParameterPaneCurves pane;
};

TEST_F(ParameterPaneCurvesTest, FieldsDefaultAndTruncatedFrequencies) {
  auto const& fields = pane.fields();
  ASSERT_EQ(fields.size(), 16u);
  constexpr FieldKind I = FieldKind::Integer, D = FieldKind::Double, C = FieldKind::Choice;
  FieldKind const kinds[] = {I, FieldKind::CheckBox, C, I, D, I, D, I, D, C, I, D, I, D, I, D};
  for (std::size_t i = 0; i < 16; ++i)
    EXPECT_TRUE(fields[i].lockIndex == kLocks[i] && fields[i].kind == kinds[i]) << i;
  EXPECT_EQ(fields[2].choices.size(), 7u);
  EXPECT_TRUE(pane.ignoresGeometry());

  P p;
  p.xCombination = 12;  // computes like 0, shown as 0, kept while 0 stays chosen
  pane.updateFromSnapshot(SnapshotCurves("", SnapshotCore(), p));
  std::string const texts[] = {"2000", "1", "curvecomb_0", "3", "0", "3", "0.5", "2", "0.5", "curvecomb_2"};
  for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(pane.fieldText(i), texts[i]) << i;
  SnapshotCurves kept("", SnapshotCore(), p);
  pane.updateToSnapshot(kept);
  EXPECT_TRUE(kept.getParameters() == p);

  char const* typed[10] = {"-5", "0", "curvecomb_6", "3.9", "0", "-3.9", "0", "2", "0.125", "curvecomb_3"};
  for (std::size_t i = 0; i < 10; ++i) pane.setFieldText(i, typed[i]);
  auto s = pane.makeNewSnapshot();
  pane.updateToSnapshot(*s);
  P want;
  want.numPoints = 0;
  want.connect = false;
  want.xCombination = 6;
  want.xCoords.terms = {{{3, 0}, {-3, 0}, {2, 0.125}}};
  want.yCombination = 3;
  EXPECT_TRUE(paramsOf(s) == want);
  // The default picture is pinned by the golden hashes, save the post-filter they do not run.
  EXPECT_EQ(pane.getDefaultSnapshot()->getCore().getPostfilteringID(), "pf_AntialiasingLight");
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
  EXPECT_EQ(RandomUtils::random(), d.generator.next());  // nothing more was drawn
  double const size = 1.05 * std::max(P::getMaxValue(want.xCombination), P::getMaxValue(want.yCombination));
  EXPECT_TRUE(s->getCore().getView() == View(0, 0, size, 0, false, false));
  EXPECT_EQ(s->getCore().getNorm(), 4);
  EXPECT_EQ(s->getName(), "");

  P odd;
  odd.xCombination = 3;
  odd.yCombination = 9;
  odd.numPoints = 17;
  for (int lock : kLocks) pane.setLocked(lock, true);
  auto const locked = pane.makeRandomSnap(std::make_shared<SnapshotCurves>("", core, odd));
  EXPECT_TRUE(paramsOf(locked) == odd);
  EXPECT_DOUBLE_EQ(locked->getCore().getView().getSize(), 3.15);
}

}  // namespace
}  // namespace orlenza
