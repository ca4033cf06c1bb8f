#include "core/generators/Grid/ParameterPaneGrid.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "core/CoreRegistration.h"
#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/generators/Grid/SnapshotGrid.h"
#include "core/generators/Halley/SnapshotHalley.h"
#include "core/geometry/GeometrySwirl.h"
#include "core/model/RGBColor.h"

namespace orlenza {
namespace {

GridParameters const& paramsOf(std::shared_ptr<Snapshot> const& s) {
  return dynamic_cast<SnapshotGrid&>(*s).getParameters();
}

void expectStatusZero(std::function<void()> const& call) {
  try {
    call();
    ADD_FAILURE() << "no exception";
  } catch (PlatformError const& e) {
    EXPECT_EQ(e.statusCode(), 0);
  }
}

// a + r / (2^31 - 1) (b - a), from the raw draws of a generator seeded alike.
struct Draws {
  explicit Draws(std::uint32_t seed) : generator(seed) {}
  double real(double a, double b) { return a + (generator.next() / 2147483647.0) * (b - a); }
  AdditiveFeedbackGenerator generator;
};

class ParameterPaneGridTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registerCoreFamilies(); }
  ParameterPaneGrid pane;
};

TEST_F(ParameterPaneGridTest, FieldsAndWhatIsTypedMadeValid) {
  auto const& fields = pane.fields();
  ASSERT_EQ(fields.size(), 10u);
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(fields[i].kind, FieldKind::Double);
    EXPECT_EQ(fields[i].lockIndex, 101 + static_cast<int>(i));
    EXPECT_EQ(fields[i].digits, 5);
  }
  EXPECT_EQ(fields[8].kind, FieldKind::Choice);
  EXPECT_EQ(fields[8].lockIndex, 201);
  EXPECT_EQ(fields[8].choices.size(), 5u);
  EXPECT_EQ(fields[9].kind, FieldKind::CheckBox);
  EXPECT_EQ(fields[9].lockIndex, 202);
  EXPECT_FALSE(pane.ignoresGeometry());

  GridParameters p;
  p.yDim = {1.0 / 3, 0.1, 0.25, 2};
  p.mode = 9;  // no item of its own
  p.checker = true;
  pane.updateFromSnapshot(SnapshotGrid("", SnapshotCore(), p));
  EXPECT_EQ(pane.fieldText(0), "0.33333");
  EXPECT_EQ(pane.fieldText(6), "0.25");
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
  GridParameters const& q = paramsOf(s);
  EXPECT_EQ(q.yDim.spacing, 2);
  EXPECT_EQ(q.yDim.lineWidth, 0.3);
  EXPECT_EQ(q.yDim.falloff, 1);
  EXPECT_EQ(q.yDim.exponent, -4);
  EXPECT_EQ(q.xDim.spacing, 1e-5);
  EXPECT_EQ(q.xDim.falloff, 0.5);
  EXPECT_EQ(q.xDim.exponent, 0);
  EXPECT_EQ(q.mode, 5);
  EXPECT_FALSE(q.checker);

  SnapshotHalley other;
  expectStatusZero([&] { pane.updateFromSnapshot(other); });
  expectStatusZero([&] { pane.updateToSnapshot(other); });
}

TEST_F(ParameterPaneGridTest, DefaultSnapshotIsBlackLinesOnWhite) {
  auto const s = pane.getDefaultSnapshot();
  ASSERT_EQ(s->getIdentifier(), "Grid");
  EXPECT_TRUE(paramsOf(s) == GridParameters());
  SnapshotCore const& core = s->getCore();
  EXPECT_TRUE(core.getView() == View(0, 0, 10, 0, false, false));
  EXPECT_EQ(core.getNorm(), 1);
  GradationInfo const& g = core.getGradationInfo();
  EXPECT_EQ(g.gradation.size(), 2u);
  EXPECT_EQ(g.gradation.getColor(KeyframePosition(0.0)), k_RGBwhite);
  EXPECT_EQ(g.gradation.getColor(KeyframePosition(1.0)), k_RGBblack);
  EXPECT_EQ(g.auxiliary.scale, 1);
  EXPECT_EQ(g.auxiliary.offset, 0);
  EXPECT_TRUE(paramsOf(pane.makeNewSnapshot()) == GridParameters());
}

TEST_F(ParameterPaneGridTest, RandomSnapshotDrawsInOrderAndHonoursLocks) {
  SnapshotCore core;
  core.setView(View(4, 4, 9, 45, true, true));
  core.setGeometry(std::make_shared<GeometrySwirl>());
  core.setNorm(3);
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
  want.mode = RandomUtils::intFromDraw(d.generator.next(), 1, 5);
  want.checker = d.real(0, 1) < 0.2;
  GridParameters const& got = paramsOf(s);
  EXPECT_EQ(got.yDim.spacing, want.yDim.spacing);
  EXPECT_EQ(got.yDim.lineWidth, want.yDim.lineWidth);
  EXPECT_EQ(got.xDim.falloff, want.xDim.falloff);
  EXPECT_EQ(got.xDim.exponent, want.xDim.exponent);
  EXPECT_TRUE(got == want);
  EXPECT_EQ(RandomUtils::random(), d.generator.next());  // nothing more was drawn
  EXPECT_EQ(s->getName(), "");
  EXPECT_TRUE(s->getCore().getView() == View(0, 0, 2.5, 0, false, false));
  EXPECT_EQ(s->getCore().getNorm(), 3);
  EXPECT_EQ(s->getCore().getGeometry()->getIdentifier(), "geom_swirl");

  // Every lock closed: the same parameters, the view still reset.
  GridParameters odd;
  odd.yDim = {7, 8, 9, 10};
  odd.mode = 0;
  odd.checker = true;
  for (int lock : {101, 102, 103, 104, 105, 106, 107, 108, 201, 202}) pane.setLocked(lock, true);
  auto const locked = pane.makeRandomSnap(std::make_shared<SnapshotGrid>("", core, odd));
  EXPECT_TRUE(paramsOf(locked) == odd);
  EXPECT_TRUE(locked->getCore().getView() == View(0, 0, 2.5, 0, false, false));

  // Only the spacing locked: the width and falloff scale with the kept spacing.
  for (int lock : {102, 103, 104, 105, 106, 107, 108, 201, 202}) pane.setLocked(lock, false);
  for (int i = 0; i < 20; ++i) {
    auto const drawn = pane.makeRandomSnap(std::make_shared<SnapshotGrid>("", core, odd));
    GridParameters const& r = paramsOf(drawn);
    EXPECT_EQ(r.yDim.spacing, 7);
    EXPECT_LE(r.yDim.lineWidth, 3.5);
    EXPECT_LE(r.yDim.falloff, 3.5);
    EXPECT_GE(r.mode, 1);
    EXPECT_LE(r.mode, 5);
  }
  expectStatusZero([&] { pane.makeRandomSnap(std::make_shared<SnapshotHalley>()); });
  expectStatusZero([&] { pane.makeRandomSnap(nullptr); });
}

}  // namespace
}  // namespace orlenza
