#include "core/generators/Grid/GridParameters.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>

#include "core/CoreRegistration.h"
#include "core/generators/Grid/SnapshotGrid.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::string textOf(GridParameters const& p) {
  std::ostringstream os;
  p.outputParameters(os);
  return os.str();
}

GridParameters withMode(int mode, bool checker = false) {
  GridParameters p;
  p.mode = mode;
  p.checker = checker;
  return p;
}

TEST(GridParametersTest, ValuesOfTheLinesAndDots) {
  struct Case {
    GridParameters p;
    Coord2D q;
    double want;
  };
  GridParameters thin;
  thin.yDim.lineWidth = 0;
  GridParameters cubic;
  cubic.yDim.exponent = 3;
  GridParameters wideX = withMode(5);
  wideX.xDim = {1, 0.5, 0.9, 1};  // the dot ignores the x profile
  Case const cases[] = {
      {GridParameters(), {0.5, 3}, 1},         // on a horizontal line
      {GridParameters(), {0.5, 0.2}, 0.04},    // (1 - 0.2 / 0.25)^2
      {GridParameters(), {0.5, -0.2}, 0.04},   // folded by reflection
      {GridParameters(), {0.5, 1.8}, 0.04},
      {GridParameters(), {0.5, 0.8}, 0.04},    // near the line at the cell's far end
      {GridParameters(), {0.5, 0.15}, 0.16},   // falloff counted from the centre, not the core
      {GridParameters(), {0.5, 0.5}, 0},
      {GridParameters(), {7.05, 0.5}, 1},      // inside a vertical core
      {thin, {0.5, 2}, 1},                     // no core, still 1 on the centre
      {cubic, {0.5, 0.2}, 0.008},
      {withMode(4), {0.5, 0}, 0.5},
      {withMode(1), {0, 0.5}, 0},              // vertical line not drawn
      {withMode(2), {0.5, 0}, 0},
      {withMode(2), {0, 0.5}, 1},
      {withMode(5), {0.1, 0.1}, 0.18862915010152398},  // (1 - sqrt(0.02) / 0.25)^2
      {wideX, {0.1, 0.1}, 0.18862915010152398},
      {withMode(5), {0.05, 2.05}, 1},
      {withMode(5), {0.05, 1.05}, 0},  // folded, odd lattice lines lie at the cell's far side
      {withMode(5), {0.5, 0}, 0},
      {withMode(0), {0, 0}, 0},
      {withMode(6), {0, 0}, 0},
      {withMode(-1), {0, 0}, 0},
  };
  for (auto const& c : cases)
    EXPECT_NEAR(c.p.valueAt(c.q), c.want, 1e-12) << "mode " << c.p.mode << " at " << c.q.x << ", " << c.q.y;

  EXPECT_TRUE(std::isnan(GridParameters().valueAt({kNaN, 0})));
  EXPECT_TRUE(std::isnan(GridParameters().valueAt({0, kInf})));
  EXPECT_TRUE(std::isnan(GridParameters().valueAt({-kInf, 0})));
}

TEST(GridParametersTest, CheckerboardCellsAndDegenerateValues) {
  GridParameters wide = withMode(3, true);
  wide.xDim.spacing = 2;
  struct Case {
    GridParameters p;
    Coord2D q;
    double want;
  } const cases[] = {
      {withMode(3, true), {0.5, 0.5}, 1},    // cells 0, 0
      {withMode(3, true), {1.5, 0.5}, 0},    // cells 1, 0: the lines' value
      {withMode(3, true), {-0.5, 0.5}, 0},   // x below 0: (1 + 0.5) / 1 gives cell 1
      {withMode(3, true), {-0.5, -0.5}, 1},  // cells 1, 1
      {withMode(3, true), {2.5, 3.5}, 0},    // cells 2, 3
      {withMode(3, true), {3.5, 5.5}, 1},    // cells 3, 5
      {wide, {-0.5, 0.5}, 1},                // (1 + 0.5) / 2: the numerator has 1, not the spacing
      {withMode(1, true), {1.5, 0.5}, 1},    // horizontal lines only: x cells all count as 0
      {withMode(1, true), {1.5, 1.5}, 0},
      {withMode(2, true), {1.5, 1.5}, 0},
      {withMode(2, true), {2.5, 1.5}, 1},
  };
  for (auto const& c : cases)
    EXPECT_EQ(c.p.valueAt(c.q), c.want) << "mode " << c.p.mode << " at " << c.q.x << ", " << c.q.y;

  // Cell indices far beyond any integer type: no conversion, a value all the same.
  GridParameters tiny = withMode(3, true);
  tiny.xDim.spacing = tiny.yDim.spacing = 1e-300;
  double const far = tiny.valueAt({1e300, -1e300});
  EXPECT_TRUE(far >= 0 && far <= 1) << far;
  // Degenerate values read from a file are computed as they stand, without a crash.
  GridParameters zero = withMode(3, true);
  zero.xDim = {0, -1, -2, 0.5};
  zero.yDim = {-1, 0, 0, kNaN};
  for (double x : {-3.0, 0.0, 0.4, 2.0}) (void)zero.valueAt({x, x});
}

TEST(GridParametersTest, ForceValidTextFormEqualityAndMorph) {
  GridParameters p;
  p.yDim = {-0.5, -0.2, -3, -2};
  p.xDim = {0, 0.3, 0.7, 9};
  p.mode = 17;
  p.forceValid();
  EXPECT_EQ(p.yDim.spacing, 0.5);
  EXPECT_EQ(p.yDim.lineWidth, 0.2);
  EXPECT_EQ(p.yDim.falloff, 1);
  EXPECT_EQ(p.yDim.exponent, -2);
  EXPECT_EQ(p.xDim.spacing, 1e-5);
  EXPECT_EQ(p.xDim.falloff, 0.7);
  EXPECT_EQ(p.mode, 17);

  EXPECT_EQ(textOf(GridParameters()), "1 0.1 0.25 2  1 0.1 0.25 2  3 ");
  GridParameters odd;
  odd.yDim = {1.0 / 3, -0.0, 1e-300, kNaN};
  odd.xDim = {-kInf, 123456789.123, 2, 0};
  odd.mode = -4;
  GridParameters back;
  std::istringstream in(textOf(odd));
  back.inputParameters(in);
  ASSERT_FALSE(in.fail());
  EXPECT_EQ(textOf(back), textOf(odd));
  EXPECT_EQ(back.yDim.spacing, 0.333333333333);
  EXPECT_EQ(back.mode, -4);

  for (char const* bad : {"1 1 1 1  1 1 1", "1 1 1 1 1 1 1 1 x", "1 1 1 1 1 1 1 one 3"}) {
    GridParameters kept;
    kept.checker = true;
    std::istringstream is(bad);
    kept.inputParameters(is);
    EXPECT_TRUE(is.fail()) << bad;
    EXPECT_EQ(textOf(kept), textOf(GridParameters())) << bad;
    EXPECT_TRUE(kept.checker);
  }
  std::istringstream huge("1 1 1 1 1 1 1 1 99999999999 ");
  back.inputParameters(huge);
  EXPECT_EQ(back.mode, INT_MAX);

  GridParameters near = GridParameters(), far = GridParameters();
  near.xDim.exponent += 0.9e-5;
  EXPECT_TRUE(near == GridParameters());
  far.yDim.spacing += 1.1e-5;
  EXPECT_FALSE(far == GridParameters());
  EXPECT_FALSE(withMode(3, true) == GridParameters());
  EXPECT_FALSE(withMode(4) == GridParameters());

  GridParameters target = withMode(5, true);
  target.yDim = {3, 0.3, 0.5, 4};
  target.xDim = {5, 0.5, 1.25, 1};
  GridParameters m;
  m.morph(GridParameters(), target, 0.5);
  EXPECT_EQ(m.yDim.spacing, 2);
  EXPECT_EQ(m.xDim.falloff, 0.75);
  EXPECT_EQ(m.mode, 3);
  EXPECT_FALSE(m.checker);
  m.morph(GridParameters(), target, 1 - 1e-11);
  EXPECT_EQ(m.mode, 5);
  EXPECT_TRUE(m.checker);
  m.morph(GridParameters(), target, 0);
  EXPECT_TRUE(m == GridParameters());
  m.morph(GridParameters(), target, 1);
  EXPECT_TRUE(m == target);
}

TEST(GridParametersTest, SnapshotKindLosesTheCheckerboardInItsText) {
  registerCoreFamilies();
  auto const made = SnapshotFactory::makeNewSnapshot("Grid", 3);
  ASSERT_NE(dynamic_cast<SnapshotGrid*>(made.get()), nullptr);
  EXPECT_FALSE(SnapshotGrid::registerCreator());
  EXPECT_EQ(MakeNewSnapshotGrid()->getIdentifier(), "Grid");

  GridParameters p = withMode(2, true);
  p.xDim.spacing = 0.75;
  SnapshotCore core;
  core.setNorm(7);
  auto const grid = std::make_shared<SnapshotGrid>("lattice", core, p);
  std::ostringstream os;
  os << *grid;
  std::istringstream is(os.str());
  auto const back = readSnapshotRecord(is, 3);
  ASSERT_NE(back, nullptr);
  auto const& read = dynamic_cast<SnapshotGrid const&>(*back).getParameters();
  EXPECT_EQ(read.mode, 2);
  EXPECT_EQ(read.xDim.spacing, 0.75);
  EXPECT_FALSE(read.checker);
  EXPECT_FALSE(back->isEqual(*grid));
  EXPECT_EQ(back->getName(), "lattice");

  auto const plain = std::make_shared<SnapshotGrid>("plain", SnapshotCore(), GridParameters());
  auto const half = plain->morphTowards(grid, 0.5, core);
  EXPECT_EQ(half->getName(), "");
  EXPECT_EQ(half->getCore().getNorm(), 7);
  EXPECT_EQ(dynamic_cast<SnapshotGrid const&>(*half).getParameters().xDim.spacing, 0.875);
  auto const foreign = plain->morphTowards(SnapshotFactory::makeNewSnapshot("Halley", 3), 0.5, core);
  EXPECT_EQ(foreign->getName(), "plain");
  EXPECT_TRUE(foreign->isEqual(*plain));
}

}  // namespace
}  // namespace orlenza
