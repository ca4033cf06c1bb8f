#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/Grid/GridParameters.h"
#include "core/generators/Grid/ImageComputatorGrid.h"
#include "core/generators/Grid/ParameterPaneGrid.h"
#include "core/generators/Grid/SnapshotGrid.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {
namespace {

using gen_test::textOf;
using gen_test::CountingNotifier;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

GridParameters with(int mode, bool checker = false, double xSpacing = 1, double yWidth = 0.1, double yExponent = 2) {
  GridParameters p;
  p.mode = mode;
  p.checker = checker;
  p.xDim.spacing = xSpacing;
  p.yDim.lineWidth = yWidth;
  p.yDim.exponent = yExponent;
  return p;
}

TEST(GridParametersTest, LinesDotsAndCheckerboard) {
  struct Case {
    GridParameters p;
    double x, y, want;
  } const cases[] = {
      {with(3), 0.5, 3, 1},        // on a horizontal line
      {with(3), 0.5, 0.2, 0.04},   // (1 - 0.2 / 0.25)^2
      {with(3), 0.5, -0.2, 0.04},  // folded by reflection
      {with(3), 0.5, 0.8, 0.04},   // near the line at the cell's far end
      {with(3), 0.5, 0.15, 0.16},  // the falloff counts from the centre, not from the core
      {with(3), 0.5, 0.5, 0},
      {with(3), 7.05, 0.5, 1},     // inside a vertical core
      {with(3, false, 1, 0), 0.5, 2, 1},  // no core, still 1 on the centre
      {with(3, false, 1, 0.1, 3), 0.5, 0.2, 0.008},
      {with(4), 0.5, 0, 0.5},
      {with(1), 0, 0.5, 0},
      {with(2), 0.5, 0, 0},
      {with(5), 0.1, 0.1, 0.18862915010152398},  // (1 - sqrt(0.02) / 0.25)^2
      {with(5), 0.05, 2.05, 1},
      {with(5), 0.05, 1.05, 0},  // folded, odd lattice lines lie at the cell's far side
      {with(6), 0, 0, 0},
      // Checkerboard: cell indices trunc(q / P), below 0 trunc((1 - q) / P).
      {with(3, true), 0.5, 0.5, 1},    // cells 0, 0
      {with(3, true), 1.5, 0.5, 0},    // cells 1, 0: the lines' value
      {with(3, true), -0.5, 0.5, 0},   // cells 1, 0
      {with(3, true), -0.5, -0.5, 1},  // cells 1, 1
      {with(3, true, 2), -0.5, 0.5, 1},  // (1 + 0.5) / 2: the numerator has 1, not the spacing
      {with(1, true), 1.5, 0.5, 1},      // horizontal lines only: every x cell counts as 0
      {with(1, true), 1.5, 1.5, 0},
      {with(2, true), 2.5, 1.5, 1},
  };
  for (auto const& c : cases)
    EXPECT_NEAR(c.p.valueAt({c.x, c.y}), c.want, 1e-12) << "mode " << c.p.mode << " at " << c.x << ", " << c.y;

  double const inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(std::isnan(with(3).valueAt({kNaN, 0})));
  EXPECT_TRUE(std::isnan(with(3).valueAt({0, -inf})));
  // Cell indices beyond every integer type, and degenerate values read from a file: no crash.
  GridParameters tiny = with(3, true, 1e-300);
  tiny.yDim.spacing = 1e-300;
  double const far = tiny.valueAt({1e300, -1e300});
  EXPECT_TRUE(far >= 0 && far <= 1) << far;
  GridParameters zero = with(5, true, 0, -1, kNaN);
  zero.yDim.falloff = 0;
  for (double x : {-3.0, 0.0, 0.4}) (void)zero.valueAt({x, x});
}

TEST(GridParametersTest, ForceValidTextEqualityAndMorph) {
  GridParameters p;
  p.yDim = {-0.5, -0.2, -3, -2};
  p.xDim = {0, 0.3, 0.7, 9};
  p.mode = 17;
  p.forceValid();
  EXPECT_EQ(textOf(p), "0.5 0.2 1 -2  1e-05 0.3 0.7 9  17 ");
  EXPECT_EQ(textOf(GridParameters()), "1 0.1 0.25 2  1 0.1 0.25 2  3 ");

  GridParameters odd = with(-4, false, -123456789.123);
  odd.yDim = {1.0 / 3, -0.0, 1e-300, kNaN};
  EXPECT_EQ(textOf(gen_test::readText<GridParameters>(textOf(odd))), textOf(odd));
  gen_test::expectBadTextsKeep(with(3, true), {"1 1 1 1  1 1 1", "1 1 1 1 1 1 1 1 x", "1 1 1 1 1 1 1 one 3"});
  EXPECT_EQ(gen_test::readText<GridParameters>("1 1 1 1 1 1 1 1 99999999999 ").mode, INT_MAX);

  GridParameters near;
  near.xDim.exponent += 0.9e-5;
  EXPECT_TRUE(near == GridParameters());
  near.yDim.spacing += 1.1e-5;
  EXPECT_FALSE(near == GridParameters() || with(3, true) == GridParameters());

  GridParameters target = with(5, true);
  target.yDim = {3, 0.3, 0.5, 4};
  target.xDim = {5, 0.5, 1.25, 1};
  GridParameters m;
  m.morph(GridParameters(), target, 0.5);
  EXPECT_EQ(textOf(m), "2 0.2 0.375 3  3 0.3 0.75 1.5  3 ");
  EXPECT_FALSE(m.checker);
  m.morph(GridParameters(), target, 1 - 1e-11);
  EXPECT_TRUE(m.mode == 5 && m.checker);
}

TEST(GridParametersTest, SnapshotTextLosesTheCheckerboard) {
  registerCoreFamilies();
  auto const grid = std::make_shared<SnapshotGrid>("lattice", SnapshotCore(), with(2, true, 0.75));
  auto const back = gen_test::readRecord(gen_test::recordOf(*grid));
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(dynamic_cast<SnapshotGrid const&>(*back).getParameters() == with(2, false, 0.75));
  EXPECT_EQ(back->getName(), "lattice");
}

SnapshotGrid gridIn(View const& view, GridParameters const& p = GridParameters()) {
  SnapshotCore core;
  core.setView(view);
  return SnapshotGrid("", core, p);
}

TEST(ImageComputatorGridTest, PixelsAndThreads) {
  registerCoreFamilies();
  auto& computator = ImageComputatorGrid::instance();
  View const view = computator.getDefaultView();

  // 100 x 100 at size 2.5: a step of 0.05, pixel (50, 50) on the origin.
  RawField field(100, 100);
  CountingNotifier notifier;
  computator.computeImage(gridIn(view), 100, 100, field, notifier, 1);
  EXPECT_EQ(notifier.totals, std::vector<long>{100});
  EXPECT_EQ(notifier.steps, 100);
  struct Sample {
    int x, y;
    double want;
  } const samples[] = {{50, 50, 1}, {54, 50, 1}, {60, 40, 0}, {60, 46, 0.04}, {60, 54, 0.04}, {47, 40, 0.16}, {70, 70, 1}};
  for (auto const& s : samples) EXPECT_NEAR(field[s.x][s.y], s.want, 1e-12) << s.x << ", " << s.y;

}

using gen_test::Draws;

GridParameters const& paramsOf(std::shared_ptr<Snapshot> const& s) {
  return dynamic_cast<SnapshotGrid&>(*s).getParameters();
}

class ParameterPaneGridTest : public gen_test::CoreTest {
 protected:
  ParameterPaneGrid pane;
};

TEST_F(ParameterPaneGridTest, FieldsDefaultAndWhatIsTypedMadeValid) {

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

  GridParameters odd;
  odd.yDim = {7, 8, 9, 10};
  odd.mode = 0;
  odd.checker = true;
  for (int lock : {101, 102, 103, 104, 105, 106, 107, 108, 201, 202}) pane.setLocked(lock, true);
  // Only the spacing locked: the falloff scales with the kept spacing.
  pane.setLocked(103, false);
  RandomUtils::seed(5);
  EXPECT_EQ(paramsOf(pane.makeRandomSnap(std::make_shared<SnapshotGrid>("", core, odd))).yDim.falloff,
            Draws(5).real(0, 0.5) * 7);
}

}  // namespace
}  // namespace orlenza
