#include "core/generators/PhasePlane/ImageComputatorPhasePlane.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <typeinfo>
#include <vector>

#include "core/CoreRegistration.h"
#include "core/engine/PlaneSampler.h"
#include "core/generators/DynSys/SnapshotDynSys.h"
#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/PhasePlane/PhasePlaneBlocks.h"
#include "core/geometry/GeometryNfold.h"
#include "core/geometry/GeometrySwirl.h"

namespace orlenza {
namespace {

using gen_test::CountingNotifier;
using gen_test::sumOf;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

using phaseplane_test::block;

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
  for (std::size_t m = 0; m < all.size(); ++m) {
    EXPECT_EQ(AbstractImageComputator::getComputatorFromID(identifiers[m]), all[m].computator);
    EXPECT_TRUE(all[m].computator->getDefaultView() == View(0, 0, 6, 0, false, false)) << identifiers[m];
  }
  // Values worked out in Python from the formulas written as sums.
  struct Case {
    std::size_t member;
    std::vector<double> k;
    double t, f;
  } const cases[] = {{0, {1, 0.5, -0.25, 1, 3}, 0.7, 0.9885211891580516},
                     {0, {1, 0, 0, 1, 3}, -1.3, -0.5746969924582066},
                     {1, {1, 2, 3}, 0.9, 0.49816629598132767},
                     {1, {-1.5, 0.5, 2}, 2.2, -0.03549190463454606},
                     {2, {1, 3, 0, 0, 0}, 0.4, 0.1686314117907432},
                     {2, {2, -1, 0.5, 1.5, -0.5}, 1.1, 0.4998986563605632}};
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
  SnapshotDSHop other;
  EXPECT_THROW(all[0].computator->computeImage(other, 8, 8, field, notifier), std::bad_cast);
  EXPECT_THROW(all[0].computator->computeImage(*all[1].make(block(2, 2, 0.1, {}), SnapshotCore()), 8, 8, field,
                                               notifier),
               std::bad_cast);
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
      {64, 48, 60, 100, 0.05, View(0.3, -0.2, 4, 30, true, false), nullptr},  // many threads
      {50, 50, 40, 200, 0.2, View(0, 0, 6, 0, false, true), std::make_shared<GeometrySwirl>()},
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
    for (unsigned threads : {1u, 4u}) {
      RawField field(32, 32);
      CountingNotifier notifier;
      m.computator->computeImage(*s, 32, 32, field, notifier, threads);
      EXPECT_EQ(notifier.steps, 441);
      double const sum = sumOf(field, 32, 32);
      EXPECT_TRUE(std::isfinite(sum));
      EXPECT_EQ(sum > 0, c.hits) << c.stepSize;
    }
  }
  // Sizes past the field are held to it.
  RawField small(8, 8);
  CountingNotifier notifier;
  m.computator->computeImage(*m.make(block(10, 10, 0.05, {1, 3, 0, 0, 0}), SnapshotCore()), 4000, 4000, small,
                             notifier, 2);
  EXPECT_EQ(notifier.steps, 121);
}

}  // namespace
}  // namespace orlenza
