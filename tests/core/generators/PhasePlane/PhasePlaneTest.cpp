#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

#include "core/CoreRegistration.h"
#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/base/StringTable.h"
#include "core/engine/PlaneSampler.h"
#include "core/generators/DynSys/SnapshotDynSys.h"
#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/PhasePlane/ImageComputatorPhasePlane.h"
#include "core/generators/PhasePlane/ParameterPanePhasePlane.h"
#include "core/generators/PhasePlane/SnapshotPhasePlane.h"
#include "core/geometry/GeometryNfold.h"
#include "core/geometry/GeometrySwirl.h"
#include "core/model/SnapshotFactory.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

using gen_test::CountingNotifier;
using gen_test::sumOf;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

PhasePlaneParameters block(int divisions, int steps, double stepSize, std::vector<double> coefficients) {
  PhasePlaneParameters p;
  p.gridDivisions = divisions;
  p.numSteps = steps;
  p.stepSize = stepSize;
  p.parameters = std::move(coefficients);
  return p;
}


struct Member {
  ImageComputatorPhasePlane* computator;
  std::shared_ptr<SnapshotPhasePlane> (*make)(PhasePlaneParameters const&, SnapshotCore const&);
  std::vector<double> defaults;
};

template <class Snap>
std::shared_ptr<SnapshotPhasePlane> makeSnap(PhasePlaneParameters const& p, SnapshotCore const& core) {
  return std::make_shared<Snap>("", core, p);
}

std::vector<Member> members() {
  return {{&ImageComputatorPPxsin::instance(), &makeSnap<SnapshotPPxsin>, {1, 0, 0, 1, 3}},
          {&ImageComputatorPPsinprod::instance(), &makeSnap<SnapshotPPsinprod>, {1, 1, 1}},
          {&ImageComputatorPPtan::instance(), &makeSnap<SnapshotPPtan>, {1, 3, 0, 0, 0}}};
}

SnapshotCore coreWith(View const& view, std::shared_ptr<Geometry> geometry = nullptr) {
  SnapshotCore core;
  core.setView(view);
  if (geometry) core.setGeometry(std::move(geometry));
  return core;
}

// The plain loop, one point and one step at a time through the virtual f and
// the geometry's per-point inverse.
std::vector<double> referenceField(ImageComputatorPhasePlane& c, SnapshotPhasePlane const& s, int w, int h) {
  c.initFromSnapshot(s);
  PhasePlaneParameters const& p = s.getParameters();
  View const& view = s.getCore().getView();
  PlaneSampler const sampler(view, w, h);
  auto geometry = s.getCore().getGeometry()->clone();
  geometry->initWithView(view);
  std::vector<double> field(static_cast<std::size_t>(w) * h, 0.0);
  double const g = p.gridDivisions;
  for (int i = 0; i <= p.gridDivisions; ++i)
    for (int j = 0; j <= p.gridDivisions; ++j) {
      Coord2D q = sampler.getXY(static_cast<int>(i / g * w), static_cast<int>(j / g * h));
      for (int k = 0; k < p.numSteps; ++k) {
        Coord2D const next{q.x - p.stepSize * c.coreFunction(q.y), q.y + p.stepSize * c.coreFunction(q.x)};
        q = next;
        if (!std::isfinite(q.x) || !std::isfinite(q.y)) continue;
        Coord2D const back = geometry->getInverseCoords(q);
        int col = 0, row = 0;
        if (sampler.getHV(back.x, back.y, &col, &row)) field[static_cast<std::size_t>(col) * h + row] += 1;
      }
    }
  return field;
}

using ImageComputatorPhasePlaneTest = gen_test::CoreTest;

TEST_F(ImageComputatorPhasePlaneTest, RegisteredWithViewsAndCoreFunctions) {
  char const* identifiers[] = {"PhasePlane-xsin", "PhasePlane-sinprod", "PhasePlane-tan"};
  auto const all = members();
  // Values worked out in Python from the formulas written as sums.
  struct Case {
    std::size_t member;
    std::vector<double> k;
    double t, f;
  } const cases[] = {{0, {1, 0.5, -0.25, 1, 3}, 0.7, 0.9885211891580516},
                     {1, {1, 2, 3}, 0.9, 0.49816629598132767},
                     {2, {1, 3, 0, 0, 0}, 0.4, 0.1686314117907432}};
  for (auto const& c : cases) {
    Member const& m = all[c.member];
    m.computator->initFromSnapshot(*m.make(block(50, 50, 0.1, c.k), SnapshotCore()));
    EXPECT_NEAR(m.computator->coreFunction(c.t), c.f, 1e-14) << identifiers[c.member] << " t=" << c.t;
    EXPECT_EQ(m.computator->coreFunction(0), 0.0);
  }
  // Fewer coefficients than the member needs: the range error, the field untouched.
  auto shortOne = all[0].make(block(2, 2, 0.1, {1, 0, 0, 1, 3}), SnapshotCore());
  shortOne->getParameters().parameters.resize(3);
  RawField field(8, 8);
  CountingNotifier notifier;
  EXPECT_THROW(all[0].computator->computeImage(*shortOne, 8, 8, field, notifier), std::out_of_range);
  EXPECT_TRUE(std::isnan(field[0][0]));
  EXPECT_TRUE(notifier.totals.empty());
}

TEST_F(ImageComputatorPhasePlaneTest, GridStartsOnPixelsUpToOneBeyondTheEdges) {
  // All coefficients 0: f is 0, every point stays on its starting pixel.
  for (Member const& m : members()) {
    std::vector<double> const zeros(m.defaults.size(), 0.0);
    {  // One division: four corners, three of them just outside.
      RawField field(6, 5);
      CountingNotifier notifier;
      m.computator->computeImage(*m.make(block(1, 7, 0.1, zeros), SnapshotCore()), 6, 5, field, notifier, 1);
      EXPECT_EQ(notifier.totals, std::vector<long>{4});
      EXPECT_EQ(notifier.steps, 4);
      EXPECT_EQ(field[0][0], 7);
      EXPECT_EQ(sumOf(field, 6, 5), 7);
    }
    {  // Two divisions over 4 x 6: columns 0, 2, 4 and rows 0, 3, 6.
      RawField field(4, 6);
      CountingNotifier notifier;
      m.computator->computeImage(*m.make(block(2, 3, 0.25, zeros), SnapshotCore()), 4, 6, field, notifier, 1);
      EXPECT_EQ(notifier.steps, 9);
      for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 6; ++y)
          EXPECT_EQ(field[x][y], (x == 0 || x == 2) && (y == 0 || y == 3) ? 3 : 0) << x << "," << y;
    }
    {  // No steps: all zeros, every point still counted.
      RawField field(16, 16);
      CountingNotifier notifier;
      m.computator->computeImage(*m.make(block(5, 0, 0.1, m.defaults), SnapshotCore()), 16, 16, field, notifier, 1);
      EXPECT_EQ(notifier.steps, 36);
      EXPECT_EQ(sumOf(field, 16, 16), 0);
    }
  }
}

TEST_F(ImageComputatorPhasePlaneTest, SameAsThePlainLoopOnAnyThreadCount) {
  struct Case {
    int w, h, divisions, steps;
    double stepSize;
    View view;
    std::shared_ptr<Geometry> geometry;
  } const cases[] = {
      {40, 30, 50, 50, 0.1, View(0, 0, 6, 0, false, false), nullptr},
      {33, 47, 45, 130, 0.1, View(1, 1, 5, 0, false, false), std::make_shared<GeometryNfold>(5, true, 10)},
  };
  for (Member const& m : members())
    for (auto const& c : cases) {
      auto const s = m.make(block(c.divisions, c.steps, c.stepSize, m.defaults), coreWith(c.view, c.geometry));
      std::vector<double> const expected = referenceField(*m.computator, *s, c.w, c.h);
      double expectedSum = 0;
      for (double v : expected) expectedSum += v;
      EXPECT_GT(expectedSum, 0);
      for (unsigned threads : {1u, 3u, 64u}) {
        RawField field(c.w + 3, c.h + 1);
        CountingNotifier notifier;
        m.computator->computeImage(*s, c.w, c.h, field, notifier, threads);
        long const points = (c.divisions + 1L) * (c.divisions + 1L);
        EXPECT_EQ(notifier.totals, std::vector<long>{points});
        EXPECT_EQ(notifier.steps, points) << threads;
        for (int x = 0; x < c.w; ++x)
          for (int y = 0; y < c.h; ++y)
            ASSERT_EQ(field[x][y], expected[static_cast<std::size_t>(x) * c.h + y])
                << m.computator->getIdentifier() << " threads " << threads << " at " << x << "," << y;
        EXPECT_TRUE(std::isnan(field[c.w][0]));  // nothing beyond the picture is written
      }
    }
}

TEST_F(ImageComputatorPhasePlaneTest, CancelKeepsTheHitsDoneAndStopsLongPaths) {
  Member const m = members()[1];
  {  // After three points of ten steps each.
    RawField field(20, 20);
    CountingNotifier notifier(3);
    m.computator->computeImage(*m.make(block(4, 10, 0.1, m.defaults), SnapshotCore()), 20, 20, field, notifier, 1);
    EXPECT_EQ(notifier.steps, 3);
    EXPECT_LE(sumOf(field, 20, 20), 30);
    EXPECT_GT(sumOf(field, 20, 20), 0);
  }
  // 100,000,000 steps a point: a cancel is seen inside the first paths.
  for (unsigned threads : {1u, 2u, 4u}) {
    RawField field(20, 20);
    CountingNotifier notifier(0);
    m.computator->computeImage(*m.make(block(1, 100000000, 0.1, m.defaults), SnapshotCore()), 20, 20, field,
                               notifier, threads);
    EXPECT_EQ(notifier.steps, 0) << threads;
    EXPECT_LE(sumOf(field, 20, 20), 4.0 * 2 * ImageComputatorPhasePlane::kPollSteps) << threads;
  }
}

TEST_F(ImageComputatorPhasePlaneTest, AbsurdValuesNeitherCrashNorHit) {
  Member const m = members()[2];
  struct Case {
    double stepSize;
    std::vector<double> k;
    bool hits;
  } const cases[] = {{kNaN, {1, 3, 0, 0, 0}, false},
                     {1e308, {1, 3, 0, 0, 0}, true},  // only the start at (0, 0), where f is 0, stays
                     {0.05, {kNaN, 3, 0, 0, 0}, false},
                     {0.05, {1e300, -1e300, 1e300, 1e300, 1e300}, true},
                     {std::numeric_limits<double>::infinity(), {0, 0, 0, 0, 0}, false}};
  for (auto const& c : cases) {
    auto const s = m.make(block(20, 40, c.stepSize, c.k), SnapshotCore());
    {
      RawField field(32, 32);
      CountingNotifier notifier;
      m.computator->computeImage(*s, 32, 32, field, notifier, 4);
      EXPECT_EQ(notifier.steps, 441);
      double const sum = sumOf(field, 32, 32);
      EXPECT_TRUE(std::isfinite(sum));
      EXPECT_EQ(sum > 0, c.hits) << c.stepSize;
    }
  }
}


PhasePlaneParameters const& paramsOf(std::shared_ptr<Snapshot> const& s) {
  return dynamic_cast<SnapshotPhasePlane&>(*s).getParameters();
}

auto paneFor(std::string const& identifier) { return gen_test::paneFor<ParameterPanePhasePlane>(identifier); }

// The default cores (view, filters, norms, gradations) are pinned by the golden pictures.
struct Row {
  char const* identifier;
  std::vector<double> coefficients;
  double stepSize;
};

std::vector<Row> const& rows() {
  static std::vector<Row> const table = {{"PhasePlane-xsin", {1, 0, 0, 1, 3}, 0.1},
                                         {"PhasePlane-sinprod", {1, 1, 1}, 0.1},
                                         {"PhasePlane-tan", {1, 3, 0, 0, 0}, 0.05}};
  return table;
}

using ParameterPanePhasePlaneTest = gen_test::CoreTest;

TEST_F(ParameterPanePhasePlaneTest, FieldsBothWaysWithClamps) {
  auto pane = paneFor("PhasePlane-tan");
  double const nan = std::nan("");
  SnapshotPPtan s("", SnapshotCore(), block(37, 125, 0.123456789012345, {1.25, -0.0, nan, 1e-300, -4.5}));
  pane->updateFromSnapshot(s);
  char const* texts[] = {"1.25", "-0", "nan", "1e-300", "-4.5", "0.123456789012", "37", "125"};
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(pane->fieldText(i), texts[i]) << i;
  auto back = pane->makeNewSnapshot();
  pane->updateToSnapshot(*back);
  PhasePlaneParameters const& p = paramsOf(back);
  EXPECT_EQ(p.parameters[0], 1.25);
  EXPECT_TRUE(std::signbit(p.parameters[1]));
  EXPECT_TRUE(std::isnan(p.parameters[2]));
  EXPECT_EQ(p.stepSize, 0.123456789012);
  EXPECT_EQ(p.gridDivisions, 37);
  EXPECT_EQ(p.numSteps, 125);

  // Typed counts are held in range: at least one division, never negative steps.
  struct Case {
    char const* divisions;
    char const* steps;
    int readDivisions, readSteps;
  } const cases[] = {{"0", "-1", 1, 0},     {"-40", "x", 1, 0},   {"1e9", "1e12", 10000, 100000000},
                     {" 60 ", "200", 60, 200}, {"10000", "100000000", 10000, 100000000}};
  for (auto const& c : cases) {
    pane->setFieldText(6, c.divisions);
    pane->setFieldText(7, c.steps);
    pane->updateToSnapshot(*back);
    EXPECT_EQ(paramsOf(back).gridDivisions, c.readDivisions) << c.divisions;
    EXPECT_EQ(paramsOf(back).numSteps, c.readSteps) << c.steps;
  }

  // Other kinds, the other members included, are refused both ways.
  SnapshotPPxsin otherMember;
  SnapshotDSHop otherFamily;
  EXPECT_THROW(pane->updateFromSnapshot(otherMember), PlatformError);
  EXPECT_THROW(pane->updateToSnapshot(otherFamily), PlatformError);
}

TEST_F(ParameterPanePhasePlaneTest, RandomSnapshotsDrawInRangeAndHonourLocks) {
  for (Row const& row : rows()) {
    auto pane = paneFor(row.identifier);
    std::size_t const n = row.coefficients.size();
    char const* other = row.identifier == std::string("PhasePlane-tan") ? "PhasePlane-xsin" : "PhasePlane-tan";
    EXPECT_THROW(pane->makeRandomSnap(paneFor(other)->getDefaultSnapshot()), PlatformError);

    auto current = pane->getDefaultSnapshot();
    RandomUtils::seed(2024);
    int zeroK3 = 0, zeroK4 = 0;
    for (int draw = 0; draw < 400; ++draw) {
      auto const r = pane->makeRandomSnap(current);
      PhasePlaneParameters const& p = paramsOf(r);
      for (std::size_t i = 0; i < n; ++i) {
        double const limit = n == 5 && i == 2 ? 1 : 5;
        EXPECT_LE(std::fabs(p.parameters[i]), limit) << row.identifier << " k" << i + 1;
      }
      if (n == 5) {
        zeroK3 += p.parameters[2] == 0;
        zeroK4 += p.parameters[3] == 0;
      }
    }
    // Step size, divisions and steps: their draws are pinned by RandomDrawsComeInTheirOrder.
    if (n == 5) {  // zero about half the time, never for k1, k2, k5
      EXPECT_GT(zeroK3, 150);
      EXPECT_LT(zeroK3, 250);
      EXPECT_GT(zeroK4, 150);
      EXPECT_LT(zeroK4, 250);
    }

    // Every parameter locked but k2: only it changes.
    dynamic_cast<SnapshotPhasePlane&>(*current).getParameters().gridDivisions = 7;
    for (std::size_t i = 0; i < n; ++i) pane->setLocked(101 + static_cast<int>(i), i != 1);
    for (int lock : {201, 202, 203}) pane->setLocked(lock, true);
    auto const one = pane->makeRandomSnap(current);
    for (std::size_t i = 0; i < n; ++i)
      if (i != 1) {
        EXPECT_EQ(paramsOf(one).parameters[i], paramsOf(current).parameters[i]);
      }
    EXPECT_NE(paramsOf(one).parameters[1], paramsOf(current).parameters[1]);
    EXPECT_EQ(paramsOf(one).gridDivisions, 7);
  }
}

TEST_F(ParameterPanePhasePlaneTest, RandomDrawsComeInTheirOrder) {
  // sinprod: k1, k2, k3, then step size, divisions and the steps' coin (and its count).
  auto pane = paneFor("PhasePlane-sinprod");
  RandomUtils::seed(99);
  auto const r = pane->makeRandomSnap(pane->getDefaultSnapshot());
  RandomUtils::seed(99);
  double const k1 = RandomUtils::doubleRnd(-5, 5), k2 = RandomUtils::doubleRnd(-5, 5),
               k3 = RandomUtils::doubleRnd(-5, 5);
  double const h = RandomUtils::intRnd(1, 50) / 100.0;
  int const g = 10 * RandomUtils::intRnd(1, 4) + 20;
  int const n = RandomUtils::doubleRnd(0, 1) < 0.5 ? 50 : 50 * RandomUtils::intRnd(1, 4);
  EXPECT_TRUE(paramsOf(r) == block(g, n, h, {k1, k2, k3}));
  // A locked k1 draws nothing: k2 gets the first draw.
  pane->setLocked(101, true);
  RandomUtils::seed(99);
  auto const lockedFirst = pane->makeRandomSnap(pane->getDefaultSnapshot());
  EXPECT_EQ(paramsOf(lockedFirst).parameters[0], 1);
  EXPECT_EQ(paramsOf(lockedFirst).parameters[1], k1);
}


using SnapshotPhasePlaneTest = gen_test::CoreTest;


TEST_F(SnapshotPhasePlaneTest, TextFormReadsBackAndCountsAreClamped) {
  SnapshotPPsinprod odd("", SnapshotCore(), block(7, 0, kNaN, {-kInf, -0.0, 1e-300}));
  EXPECT_EQ(gen_test::textOf(odd), "7 0 nan -inf -0 1e-300 ");
  SnapshotPPsinprod back;
  std::istringstream in(gen_test::textOf(odd));
  back.inputParameters(in);
  ASSERT_FALSE(in.fail());
  auto const& p = back.getParameters();
  EXPECT_EQ(p.gridDivisions, 7);
  EXPECT_EQ(p.numSteps, 0);
  EXPECT_TRUE(std::isnan(p.stepSize));
  EXPECT_EQ(p.parameters[0], -kInf);
  EXPECT_TRUE(std::signbit(p.parameters[1]));
  EXPECT_EQ(p.parameters[2], 1e-300);

  // Grid divisions land in [1, 10000], steps in [0, 100,000,000].
  struct Case {
    char const* counts;
    int divisions, steps;
  } const cases[] = {{"0 50", 1, 50},           {"-3 -1", 1, 0},           {"2000000000 2000000000", 10000, 100000000},
                     {"10000 100000000", 10000, 100000000}, {"-9223372036854775808 9", 1, 9}, {"1 1", 1, 1}};
  for (auto const& c : cases) {
    SnapshotPPsinprod s;
    std::istringstream is(std::string(c.counts) + " 0.2 1 2 3 ");
    s.inputParameters(is);
    ASSERT_FALSE(is.fail()) << c.counts;
    EXPECT_EQ(s.getParameters().gridDivisions, c.divisions) << c.counts;
    EXPECT_EQ(s.getParameters().numSteps, c.steps) << c.counts;
    EXPECT_EQ(s.getParameters().parameters, (std::vector<double>{1, 2, 3}));
  }

  // The count of coefficients comes from the kind: five for "PhasePlane-tan".
  SnapshotPPtan tan;
  std::istringstream five("40 60 0.05 1 2 3 4 5 nextToken ");
  tan.inputParameters(five);
  EXPECT_EQ(tan.getParameters().parameters, (std::vector<double>{1, 2, 3, 4, 5}));
  std::string rest;
  five >> rest;
  EXPECT_EQ(rest, "nextToken");

  // All or nothing: a bad or missing token fails and changes nothing.
  for (char const* bad : {"50 50 0.1 1 x 3 ", "50 50 0.1 1 2 ", "50 5.5 0.1 1 2 3 ", "99999999999999999999 50 0.1 1 2 3 "}) {
    SnapshotPPsinprod s("", SnapshotCore(), block(9, 8, 0.7, {6, 5, 4}));
    std::istringstream is(bad);
    s.inputParameters(is);
    EXPECT_TRUE(is.fail()) << bad;
    EXPECT_TRUE(s.getParameters() == block(9, 8, 0.7, {6, 5, 4})) << bad;
  }

}

TEST_F(SnapshotPhasePlaneTest, BlocksAlwaysHoldTheMembersCount) {
  SnapshotPPsinprod longer("", SnapshotCore(), block(0, -4, 0.1, {1, 2, 3, 4, 5}));
  EXPECT_EQ(longer.getParameters().parameters, (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(longer.getParameters().gridDivisions, 1);
  EXPECT_EQ(longer.getParameters().numSteps, 0);
  SnapshotPPxsin shorter("", SnapshotCore(), block(50, 50, 0.1, {7}));
  EXPECT_EQ(shorter.getParameters().parameters, (std::vector<double>{7, 1, 1, 1, 1}));
  // Shortened and set out of range through the reference, it still writes
  // what reads back.
  shorter.getParameters().parameters.resize(2);
  shorter.getParameters().gridDivisions = -1;
  EXPECT_EQ(gen_test::textOf(shorter), "1 50 0.1 7 1 1 1 1 ");
  shorter.setParameters(block(3, 3, 3, {}));
  EXPECT_EQ(shorter.getParameters().parameters.size(), 5u);
}

TEST_F(SnapshotPhasePlaneTest, EqualityAndMorph) {
  auto const a = std::make_shared<SnapshotPPsinprod>("a", SnapshotCore(), block(40, 50, 0.1, {1, 2, 3}));
  auto const b = std::make_shared<SnapshotPPsinprod>("b", SnapshotCore(), block(61, 101, 0.3, {3, -2, 3.5}));
  struct Case {
    PhasePlaneParameters other;
    bool equal;
  } const cases[] = {{block(40, 50, 0.1 + 5e-11, {1, 2, 3 + 5e-11}), true}, {block(40, 50, 0.1, {1, 2, 3 + 1e-9}), false},
                     {block(40, 50, 0.1 + 1e-9, {1, 2, 3}), false},          {block(41, 50, 0.1, {1, 2, 3}), false},
                     {block(40, 51, 0.1, {1, 2, 3}), false}};
  for (auto const& c : cases) EXPECT_EQ(a->isEqual_(SnapshotPPsinprod("", SnapshotCore(), c.other)), c.equal);
  EXPECT_FALSE(block(40, 50, 0.1, {1, 2}) == block(40, 50, 0.1, {1, 2, 3}));
  SnapshotPPsinprod withNaN("", SnapshotCore(), block(5, 5, kNaN, {1, 1, 1}));
  EXPECT_FALSE(withNaN.isEqual_(withNaN));

  auto const morphed = [&](double t) {
    return dynamic_cast<SnapshotPPsinprod const&>(*a->morphTowards(b, t)).getParameters();
  };
  // Halfway: 50 and 101 steps give 75, 40 and 61 divisions give 50.
  PhasePlaneParameters const half = morphed(0.5);
  EXPECT_EQ(half.numSteps, 75);
  EXPECT_EQ(half.gridDivisions, 50);
  EXPECT_DOUBLE_EQ(half.stepSize, 0.2);
  EXPECT_EQ(half.parameters, (std::vector<double>{2, 0, 3.25}));
  EXPECT_EQ(a->morphTowards(b, 0.5)->getName(), "");
  // Far outside [0, 1] or NaN the counts stay in their ranges.
  EXPECT_EQ(morphed(-5).gridDivisions, 1);
  EXPECT_EQ(morphed(-5).numSteps, 0);
  EXPECT_EQ(morphed(1e12).gridDivisions, 10000);
  EXPECT_EQ(morphed(1e12).numSteps, 100000000);
  EXPECT_EQ(morphed(kNaN).gridDivisions, 40);
  EXPECT_EQ(morphed(kNaN).numSteps, 50);
}

}  // namespace
}  // namespace orlenza
