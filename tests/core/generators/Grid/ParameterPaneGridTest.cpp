#include "core/generators/Grid/ParameterPaneGrid.h"

#include <gtest/gtest.h>

#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/Grid/SnapshotGrid.h"

namespace orlenza {
namespace {

using gen_test::Draws;

GridParameters const& paramsOf(std::shared_ptr<Snapshot> const& s) {
  return dynamic_cast<SnapshotGrid&>(*s).getParameters();
}

class ParameterPaneGridTest : public gen_test::CoreTest {
 protected:
  ParameterPaneGrid pane;
};

TEST_F(ParameterPaneGridTest, FieldsDefaultAndWhatIsTypedMadeValid) {
  auto const& fields = pane.fields();
  ASSERT_EQ(fields.size(), 10u);
  for (std::size_t i = 0; i < 8; ++i)
    EXPECT_TRUE(fields[i].kind == FieldKind::Double && fields[i].lockIndex == 101 + int(i) && fields[i].digits == 5);
  EXPECT_TRUE(fields[8].kind == FieldKind::Choice && fields[8].lockIndex == 201 && fields[8].choices.size() == 5);
  EXPECT_TRUE(fields[9].kind == FieldKind::CheckBox && fields[9].lockIndex == 202);

  GridParameters p;
  p.yDim.spacing = 1.0 / 3;
  p.mode = 9;  // no item of its own: shown as the first, kept while that stays chosen
  p.checker = true;
  pane.updateFromSnapshot(SnapshotGrid("", SnapshotCore(), p));
  EXPECT_EQ(pane.fieldText(0), "0.33333");
  EXPECT_EQ(pane.fieldText(8), "gridmode_1");
  EXPECT_EQ(pane.fieldText(9), "1");
  SnapshotGrid kept("", SnapshotCore(), p);
  pane.updateToSnapshot(kept);
  EXPECT_EQ(kept.getParameters().mode, 9);
  EXPECT_TRUE(kept.getParameters().checker);

  char const* typed[8] = {"-2", "-0.3", "-3", "-4", "0", "0.05", "0.5", "none"};
  for (std::size_t i = 0; i < 8; ++i) pane.setFieldText(i, typed[i]);
  pane.setFieldText(8, "gridmode_5");
  pane.setFieldText(9, "0");
  auto s = pane.makeNewSnapshot();
  pane.updateToSnapshot(*s);
  GridParameters want;
  want.yDim = {2, 0.3, 1, -4};
  want.xDim = {1e-5, 0.05, 0.5, 0};
  want.mode = 5;
  EXPECT_TRUE(paramsOf(s) == want);
}

TEST_F(ParameterPaneGridTest, RandomSnapshotDrawsInOrderAndHonoursLocks) {
  SnapshotCore core;
  core.setView(View(4, 4, 9, 45, true, true));
  core.setGeometry(std::make_shared<GeometrySwirl>());
  auto const current = std::make_shared<SnapshotGrid>("now", core, GridParameters());

  RandomUtils::seed(77);
  auto const s = pane.makeRandomSnap(current);
  Draws d(77);
  GridParameters want;
  for (DimensionParams* dim : {&want.yDim, &want.xDim}) {
    dim->spacing = d.real(0.1, 1.0);
    dim->lineWidth = d.real(0, 1) < 0.25 ? 0 : d.real(0, 0.5) * dim->spacing;
    dim->falloff = d.real(0, 0.5) * dim->spacing;
    dim->exponent = d.real(1, 5);
  }
  want.mode = d.integer(1, 5);
  want.checker = d.real(0, 1) < 0.2;
  EXPECT_TRUE(paramsOf(s) == want);
  EXPECT_EQ(RandomUtils::random(), d.generator.next());  // nothing more was drawn
  EXPECT_EQ(s->getName(), "");
  EXPECT_TRUE(s->getCore().getView() == View(0, 0, 2.5, 0, false, false));
  EXPECT_EQ(s->getCore().getGeometry()->getIdentifier(), "geom_swirl");

  GridParameters odd;
  odd.yDim = {7, 8, 9, 10};
  odd.mode = 0;
  odd.checker = true;
  for (int lock : {101, 102, 103, 104, 105, 106, 107, 108, 201, 202}) pane.setLocked(lock, true);
  EXPECT_TRUE(paramsOf(pane.makeRandomSnap(std::make_shared<SnapshotGrid>("", core, odd))) == odd);
  // Only the spacing locked: the falloff scales with the kept spacing.
  pane.setLocked(103, false);
  RandomUtils::seed(5);
  EXPECT_EQ(paramsOf(pane.makeRandomSnap(std::make_shared<SnapshotGrid>("", core, odd))).yDim.falloff,
            Draws(5).real(0, 0.5) * 7);
}

}  // namespace
}  // namespace orlenza
