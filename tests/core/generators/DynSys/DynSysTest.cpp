#include <gtest/gtest.h>

#include <cmath>
#include <functional>
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
#include "core/generators/DynSys/ImageComputatorDynSys.h"
#include "core/generators/DynSys/ParameterPaneDynSys.h"
#include "core/generators/DynSys/SnapshotDynSys.h"
#include "core/generators/EscapeTime/SnapshotEscapeParams.h"
#include "core/generators/GeneratorTestSupport.h"
#include "core/geometry/GeometryDisk.h"
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

DynSysParameters block(int iterations, std::vector<double> parameters, int plotMode = 0) {
  DynSysParameters p;
  p.numIterations = iterations;
  p.parameters = std::move(parameters);
  p.plotMode = plotMode;
  return p;
}

struct Point {
  double x, y;
};
using Map = std::function<Point(std::vector<double> const&, Point)>;

// The seven maps written out once more from their formulas, apart from the kernels.
double s(double x) { return x < 0 ? -1 : 1; }
double gumF(double p1, double w) { return p1 * w + 2 * (1 - p1) * w * w / (1 + w * w); }
Point sqrtMap(std::vector<double> const& p, Point q) {
  return {std::sin(std::sqrt(std::fabs(p[0] * q.x))) - q.y, std::sqrt(std::fabs(q.y)) - std::cos(p[1] * q.x + p[2])};
}
Point sinCosMap(std::vector<double> const& p, Point q) {
  return {std::sin(p[0] * q.y) - std::cos(p[1] * q.x), std::sin(p[2] * q.x) - std::cos(p[3] * q.y)};
}
double cube(double v) { return v * v * v; }
double square(double v) { return v * v; }
Point sinSinMap(std::vector<double> const& p, Point q) {
  return {cube(std::sin(p[2] * q.x)) + std::sin(p[0] * q.y) + square(std::sin(p[1] * q.x)),
          cube(std::sin(p[5] * q.y)) + std::sin(p[3] * q.x) + square(std::sin(p[4] * q.y))};
}
Point sin23Map(std::vector<double> const& p, Point q) {
  return {cube(std::sin(p[2] * q.x)) + std::sin(p[0] * q.y) + square(std::sin(p[1] * q.y)),
          cube(std::sin(p[5] * q.y)) + std::sin(p[3] * q.x) + square(std::sin(p[4] * q.x))};
}
Point sinXYMap(std::vector<double> const& p, Point q) {
  return {std::sin(p[1] * q.x) + std::cos(p[0] * q.x * q.y) + square(std::sin(p[2] * q.y)),
          std::cos(p[4] * q.y) + std::cos(p[3] * q.x * q.y) + square(std::cos(p[5] * q.x))};
}
Point hopMap(std::vector<double> const& p, Point q) {
  return {q.y - s(q.x) * std::sqrt(std::fabs(p[1] * q.x + p[2])), p[0] - q.x};
}
Point gumMap(std::vector<double> const& p, Point q) {
  double const u = q.x + s(q.x) * p[2];
  double const nx = q.y + p[0] * q.y * (1 - 0.05 * q.y * q.y) + gumF(p[1], u);
  return {nx, gumF(p[1], nx) - u};
}

struct Member {
  ImageComputatorDynSys* computator;
  std::function<std::shared_ptr<SnapshotDynSys>(DynSysParameters const&)> make;
  Map map;
  Point start;
  std::vector<double> parameters;  // the default picture's
  View defaultView;
  Point first, fifth;              // iterates 1 and 5 from the start, worked out in Python
};

template <class Snap>
std::function<std::shared_ptr<SnapshotDynSys>(DynSysParameters const&)> maker() {
  return [](DynSysParameters const& p) { return std::make_shared<Snap>("", SnapshotCore(), p); };
}

std::vector<Member> members() {
  return {
      {&ImageComputatorDSSqrt::instance(), maker<SnapshotDSSqrt>(), sqrtMap, {0.01, 0.01}, {1, 2, 1},
       View(0, 0.6, 2, 0, false, false), {0.08983341664682816, -0.42336595125164955},
       {-0.7936192632748481, 0.2697791717935054}},
      {&ImageComputatorDSSinCos::instance(), maker<SnapshotDSSinCos>(), sinCosMap, {0.01, 0.01},
       {1.9183349609, 2.2099304199, 2.9627990723, -2.6840209961}, View(0, 0, 2.2, 0, false, false),
       {-0.9805736472659052, -0.9700161669377845}, {1.2046011148896698, 1.7076003281621124}},
      {&ImageComputatorDSSinSin::instance(), maker<SnapshotDSSinSin>(), sinSinMap, {0.01, 0.01}, {2, 2, 3, -2.5, -1, 1},
       View(0.5, 0.5, 2.8, 0, false, false), {0.020425601215213092, -0.024896399298000138},
       {1.0492166320112137, -0.5177085207244831}},
      {&ImageComputatorDSSin23::instance(), maker<SnapshotDSSin23>(), sin23Map, {0.01, 0.01}, {2, 2, 3, -2.5, -1, 1},
       View(0.5, 0.5, 2.8, 0, false, false), {0.020425601215213092, -0.024896399298000138},
       {1.0679447839852814, -0.5418764541973594}},
      {&ImageComputatorDSSinXY::instance(), maker<SnapshotDSSinXY>(), sinXYMap, {0.01, 0.01}, {4, 2, 1, 3, 5, 4},
       View(0.5, 0.5, 2.8, 0, false, false), {1.020098583360045, 2.9971510685462763},
       {1.3163408708910087, 0.762350050114466}},
      {&ImageComputatorDSHop::instance(), maker<SnapshotDSHop>(), hopMap, {0, 0}, {0.4, 1, 0},
       View(0, 0, 25, -45, false, false), {0.0, 0.4}, {-0.0619049109003893, -0.08213642471159122}},
      {&ImageComputatorDSGumowski::instance(), maker<SnapshotDSGumowski>(), gumMap, {1.01, 1.01}, {0.001, -0.8, 0.05},
       View(0, 0, 10, 0, false, false), {2.067723977509804, 0.20341877494642446},
       {4.421964186370195, 0.8606044632659329}},
  };
}


// The pixel of a plane point: the view's rotation, then one pixel per step,
// pixel (w/2, h/2) on the centre, rows growing downward; false outside.
bool referencePixel(View const& v, int w, int h, double px, double py, int& col, int& row) {
  double const theta = v.getAngle() / 180 * 3.141592654;
  double const c = std::cos(theta), sn = std::sin(theta);
  double const step = 2 * v.getSize() / std::min(w, h);
  double const dx = px - v.getCenterX(), dy = py - v.getCenterY();
  double p = (dx * c - dy * sn) / step, q = (dx * sn + dy * c) / step;
  if (v.getFlipH()) p = -p;
  if (!v.getFlipV()) q = -q;
  double const fx = std::trunc(p + w / 2 + 0.5), fy = std::trunc(q + h / 2 + 0.5);
  if (!(fx >= 0 && fx < w && fy >= 0 && fy < h)) return false;
  col = static_cast<int>(fx);
  row = static_cast<int>(fy);
  return true;
}

// The plain loop: every iterate, mapped back through the geometry, marks its
// pixel; the orbit goes on from the unmapped point. Answers the hits inside.
long long referenceField(Member const& m, SnapshotDynSys const& snapshot, int w, int h, long long iterations,
                         std::vector<double>& field) {
  auto geometry = snapshot.getCore().getGeometry()->clone();
  View const& view = snapshot.getCore().getView();
  geometry->initWithView(view);
  field.assign(static_cast<std::size_t>(w) * h, 0.0);
  Point q = m.start;
  long long inside = 0;
  for (long long i = 0; i < iterations; ++i) {
    q = m.map(snapshot.getParameters().parameters, q);
    if (!std::isfinite(q.x) || !std::isfinite(q.y)) continue;
    Coord2D const g = geometry->getInverseCoords({q.x, q.y});
    int col = 0, row = 0;
    if (!referencePixel(view, w, h, g.x, g.y, col, row)) continue;
    ++inside;
    double& cell = field[static_cast<std::size_t>(col) * h + row];
    if (snapshot.getParameters().plotMode == 0)
      cell += 1;
    else
      cell = static_cast<double>(i / 1000 + 1);
  }
  return inside;
}

void expectFieldsEqual(RawField const& field, std::vector<double> const& expected, int w, int h, char const* what) {
  for (int x = 0; x < w; ++x)
    for (int y = 0; y < h; ++y)
      ASSERT_EQ(field[x][y], expected[static_cast<std::size_t>(x) * h + y]) << what << " " << x << "," << y;
}

using ImageComputatorDynSysTest = gen_test::CoreTest;

TEST_F(ImageComputatorDynSysTest, RegisteredWithViewsStartsAndFirstIterates) {
  char const* identifiers[] = {"DynSys-Sqrt",  "DynSys-SinCos",   "DynSys-SinSin",  "DynSys-Sin23",
                               "DynSys-SinXY", "DynSys-Hopalong", "DynSys-Gumowski"};
  auto const all = members();
  for (std::size_t k = 0; k < all.size(); ++k) {
    Member const& m = all[k];
    EXPECT_EQ(AbstractImageComputator::getComputatorFromID(identifiers[k]), m.computator);
    EXPECT_TRUE(m.computator->getDefaultView() == m.defaultView) << identifiers[k];
    EXPECT_EQ(m.computator->getInitialX(), m.start.x);
    EXPECT_EQ(m.computator->getInitialY(), m.start.y);
    m.computator->initFromSnapshot(*m.make(block(1, m.parameters)));
    double x = m.start.x, y = m.start.y;
    for (int i = 1; i <= 5; ++i) {
      double nx = 0, ny = 0;
      m.computator->iterate(x, y, &nx, &ny);
      x = nx;
      y = ny;
      if (i == 1) {
        EXPECT_DOUBLE_EQ(x, m.first.x) << identifiers[k];
        EXPECT_DOUBLE_EQ(y, m.first.y) << identifiers[k];
      }
    }
    EXPECT_DOUBLE_EQ(x, m.fifth.x) << identifiers[k];
    EXPECT_DOUBLE_EQ(y, m.fifth.y) << identifiers[k];
  }
}

// s(0) is +1: from the origin with p3 = 4, Hopalong's x' = 0 - s(0) sqrt(4) = -2, y' = 0.4.
TEST_F(ImageComputatorDynSysTest, SignOfZeroIsPlusOne) {
  auto& hop = ImageComputatorDSHop::instance();
  hop.initFromSnapshot(SnapshotDSHop("", SnapshotCore(), block(1, {0.4, 1, 4})));
  double nx = 0, ny = 0;
  hop.iterate(0, 0, &nx, &ny);
  EXPECT_EQ(nx, -2);
  EXPECT_EQ(ny, 0.4);
}

TEST_F(ImageComputatorDynSysTest, FieldsMatchThePlainLoopOnAnyThreadCount) {
  auto const all = members();
  struct Case {
    int width, height, iterations, plotMode;
    std::shared_ptr<Geometry> geometry;
  } const cases[] = {
      {40, 30, 30000, 0, nullptr},
      {33, 17, 9000, 1, nullptr},                                           // visit times
      {20, 24, 12000, 0, std::make_shared<GeometryNfold>(5, true, 10)},
  };
  for (std::size_t k = 0; k < all.size(); ++k) {
    Member const& m = all[k];
    for (auto const& c : cases) {
      auto const snapshot = m.make(block(c.iterations, m.parameters, c.plotMode));
      // The default view, turned and mirrored for good measure.
      View view = m.defaultView;
      view.setAngle(view.getAngle() + 17);
      view.setFlipH(c.width == 20);
      snapshot->getCore().setView(view);
      if (c.geometry) snapshot->getCore().setGeometry(c.geometry);
      std::vector<double> expected;
      long long const inside = referenceField(m, *snapshot, c.width, c.height, c.iterations, expected);
      for (unsigned threads : {1u, 2u, 4u}) {
        RawField field(c.width, c.height);
        field.fill(-7);
        CountingNotifier notifier;
        m.computator->computeImage(*snapshot, c.width, c.height, field, notifier, threads);
        EXPECT_EQ(notifier.totals, std::vector<long>{c.iterations});
        EXPECT_EQ(notifier.steps, c.iterations);
        EXPECT_EQ(notifier.asked, c.iterations);
        expectFieldsEqual(field, expected, c.width, c.height, snapshot->getIdentifier().c_str());
        if (c.plotMode == 0) {
          EXPECT_EQ(sumOf(field), static_cast<double>(inside));  // every hit inside counted once
        }
      }
      if (c.width == 40 && c.plotMode == 0) {
        EXPECT_GT(inside, c.iterations / 2) << snapshot->getIdentifier();  // the default view shows the attractor
      }
    }
  }
}

TEST_F(ImageComputatorDynSysTest, VisitTimesAndEmptyOrbits) {
  // With every parameter 0 the sine-cosine map sends any point to (-1, -1) and
  // stays there, so one pixel sees every iterate: i = 999 stamps 1, i = 1000
  // stamps 2, i = 2500 stamps 3.
  auto& computator = ImageComputatorDSSinCos::instance();
  View const view(-1, -1, 1, 0, false, false);
  struct Case {
    int iterations, plotMode;
    double cell;
  } const cases[] = {{1000, 1, 1}, {1001, 1, 2}, {2501, 1, 3}, {2501, 0, 2501}, {1, 1, 1}, {0, 1, 0}, {0, 0, 0}};
  for (auto const& c : cases) {
    SnapshotDSSinCos snapshot("", SnapshotCore(), block(c.iterations, {0, 0, 0, 0}, c.plotMode));
    snapshot.getCore().setView(view);
    {
      unsigned const threads = 3;
      RawField field(11, 11);
      field.fill(-1);
      CountingNotifier notifier;
      computator.computeImage(snapshot, 11, 11, field, notifier, threads);
      EXPECT_EQ(field[5][5], c.cell) << c.iterations;
      EXPECT_EQ(sumOf(field), c.cell) << "every other cell is 0";
    }
  }

  // Any count computes (a negative one as none), reports progress and cancels at once.
  struct Count {
    int set;
    long total;
  } const counts[] = {{2147483647, 2147483647}, {-5, 0}, {40000, 40000}, {0, 0}};
  for (auto const& c : counts) {
    SnapshotDSSinCos snapshot;
    snapshot.getParameters().numIterations = c.set;  // past the setter, as a faulty caller might
    RawField field(8, 8);
    CountingNotifier notifier(3);  // stop after three
    computator.computeImage(snapshot, 8, 8, field, notifier, 2);
    EXPECT_EQ(notifier.totals, std::vector<long>{c.total});
    EXPECT_EQ(notifier.steps, std::min(3L, c.total));
  }
}

TEST_F(ImageComputatorDynSysTest, CancelKeepsTheHitsSoFar) {
  Member const m = members()[0];
  int const w = 30, h = 30;
  auto const snapshot = m.make(block(50000, m.parameters));
  snapshot->getCore().setView(m.defaultView);
  // Inside the first block, on a block edge, beyond it, at the first step.
  for (long stopAt : {1L, 700L, 4096L, 4097L, 20000L}) {
    std::vector<double> expected;
    referenceField(m, *snapshot, w, h, stopAt, expected);
    {
      unsigned const threads = 2;
      RawField field(w, h);
      CountingNotifier notifier(stopAt);
      m.computator->computeImage(*snapshot, w, h, field, notifier, threads);
      EXPECT_EQ(notifier.steps, stopAt);
      EXPECT_EQ(notifier.asked, stopAt);
      expectFieldsEqual(field, expected, w, h, "cancelled");
    }
  }
}

TEST_F(ImageComputatorDynSysTest, LostPointsNeverLandInACorner) {
  // Gumowski with p0 = 2 runs away: iterate 16 (index 15) is NaN. The view
  // puts the start's region away from pixel (0, 0).
  auto& gum = ImageComputatorDSGumowski::instance();
  SnapshotDSGumowski runaway("", SnapshotCore(), block(100000, {2, -0.8, 0.05}));
  gum.initFromSnapshot(runaway);
  double x = 1.01, y = 1.01;
  int firstNaN = -1;
  for (int i = 0; i < 40 && firstNaN < 0; ++i) {
    gum.iterate(x, y, &x, &y);
    if (std::isnan(x) || std::isnan(y)) firstNaN = i;
  }
  EXPECT_EQ(firstNaN, 15);
  Member const gumMember = members()[6];
  struct Case {
    View view;
    std::shared_ptr<Geometry> geometry;
  } const cases[] = {
      {View(0, 0, 1e300, 0, false, false), nullptr},   // huge iterates fall inside too
      {View(3, -2, 10, 30, false, false), std::make_shared<GeometryDisk>()},
  };
  for (auto const& c : cases) {
    runaway.getCore().setView(c.view);
    if (c.geometry) runaway.getCore().setGeometry(c.geometry);
    std::vector<double> expected;
    long long const inside = referenceField(gumMember, runaway, 16, 16, 100000, expected);
    EXPECT_LE(inside, 15);
    {
      unsigned const threads = 2;
      RawField field(16, 16);
      CountingNotifier notifier;
      gum.computeImage(runaway, 16, 16, field, notifier, threads);
      EXPECT_EQ(notifier.steps, 100000);  // a lost orbit still runs its count
      EXPECT_EQ(field[0][0], expected[0]);
      EXPECT_LE(field[0][0], 1);
      EXPECT_EQ(sumOf(field), static_cast<double>(inside));
      expectFieldsEqual(field, expected, 16, 16, "runaway");
    }
  }
  // NaN and huge parameters: nothing plotted, nothing breaks.
  SnapshotDSSqrt nan("", SnapshotCore(), block(20000, {std::numeric_limits<double>::quiet_NaN(), 2, 1}));
  SnapshotDSHop huge("", SnapshotCore(), block(20000, {1e308, 1e308, -1e308}));
  for (Snapshot const* s : {static_cast<Snapshot const*>(&nan), static_cast<Snapshot const*>(&huge)}) {
    RawField field(9, 9);
    CountingNotifier notifier;
    AbstractImageComputator::getComputatorFromID(s->getIdentifier())->computeImage(*s, 9, 9, field, notifier);
    EXPECT_EQ(notifier.steps, 20000);
    EXPECT_LE(sumOf(field), 2) << s->getIdentifier();
    EXPECT_LE(field[0][0], 1);
  }
}

TEST_F(ImageComputatorDynSysTest, ShortVectorsAreRangeErrors) {
  auto& computator = ImageComputatorDSSqrt::instance();
  RawField field(4, 4);
  CountingNotifier notifier;
  // A vector shorter than the member needs is a range error.
  SnapshotDSSqrt shortened;
  shortened.getParameters().parameters.resize(2);
  EXPECT_THROW(computator.initFromSnapshot(shortened), std::out_of_range);
  EXPECT_THROW(computator.computeImage(shortened, 4, 4, field, notifier), std::out_of_range);
  // Longer is fine: the first three are used.
  SnapshotDSSqrt longer("", SnapshotCore(), block(10, {1, 2, 1}));
  longer.getParameters().parameters.push_back(99);
  EXPECT_NO_THROW(computator.initFromSnapshot(longer));
}


DynSysParameters const& paramsOf(std::shared_ptr<Snapshot> const& s) {
  return dynamic_cast<SnapshotDynSys&>(*s).getParameters();
}

auto paneFor(std::string const& identifier) { return gen_test::paneFor<ParameterPaneDynSys>(identifier); }

using ParameterPaneDynSysTest = gen_test::CoreTest;

TEST_F(ParameterPaneDynSysTest, IterationCountsInTheirUnitAndCapped) {
  auto sqrt = paneFor("DynSys-Sqrt");
  auto hop = paneFor("DynSys-Hopalong");
  struct Case {
    ParameterPaneDynSys* pane;
    int stored;
    char const* shown;
    char const* typed;  // nullptr: the field is left as shown
    int written;
  } const cases[] = {
      {sqrt.get(), 1000000, "1", "500", 100000000},  // 500 million asked, 100 million written
      {sqrt.get(), 1000000, "1", "2.6", 3000000},    // rounded to whole millions
      {sqrt.get(), 1000000, "1", "-5", 0},
      {sqrt.get(), 1000000, "1", "nan", 0},
      {sqrt.get(), 1000000, "1", "inf", 100000000},
      {sqrt.get(), 40000, "0", nullptr, 40000},       // untouched: a count below the unit survives
      {sqrt.get(), 1500000, "1", nullptr, 1500000},   // a morphed count too
      {sqrt.get(), 40000, "0", "0", 40000},           // typed as shown is untouched
      {sqrt.get(), 40000, "0", "1", 1000000},
      {hop.get(), 1000000, "1000", "500000", 100000000},  // thousands, capped at 100,000 of them
      {hop.get(), 1000000, "1000", "40", 40000},
      {hop.get(), 1500, "1", "1.5", 2000},
  };
  for (auto const& c : cases) {
    std::shared_ptr<Snapshot> shown = c.pane == sqrt.get()
                                          ? std::shared_ptr<Snapshot>(std::make_shared<SnapshotDSSqrt>(
                                                "", SnapshotCore(), block(c.stored, {1, 2, 1})))
                                          : std::make_shared<SnapshotDSHop>("", SnapshotCore(), block(c.stored, {1, 2, 1}));
    c.pane->updateFromSnapshot(*shown);
    EXPECT_EQ(c.pane->fieldText(0), c.shown) << c.stored;
    if (c.typed) c.pane->setFieldText(0, c.typed);
    auto back = c.pane->makeNewSnapshot();
    c.pane->updateToSnapshot(*back);
    EXPECT_EQ(paramsOf(back).numIterations, c.written) << c.stored << " " << (c.typed ? c.typed : "-");
  }
  EXPECT_EQ(ParameterPaneDynSys::iterationsFromText(" 7 ", 1000), 7000);
  EXPECT_EQ(ParameterPaneDynSys::iterationsFromText("1e300", 1000000), 100000000);
}

TEST_F(ParameterPaneDynSysTest, RandomSnapshotsHonourLocksAndRanges) {
  auto start = std::make_shared<SnapshotDSSqrt>("kept?", SnapshotCore(), block(4000, {9, 9, 9}, 1));
  auto sqrt = paneFor("DynSys-Sqrt");
  for (int lock : {101, 103, 200}) sqrt->setLocked(lock, true);
  // p1 unlocked alone: one draw in [1, 5], as a + r / (2^31 - 1) (b - a).
  sqrt->setLocked(102, false);
  RandomUtils::seed(9);
  auto const one = sqrt->makeRandomSnap(start);
  AdditiveFeedbackGenerator expected(9);
  double const r = expected.next();
  EXPECT_EQ(paramsOf(one).parameters, (std::vector<double>{9, 1 + r / 2147483647.0 * 4, 9}));
  EXPECT_EQ(paramsOf(one).numIterations, 4000);
  EXPECT_EQ(paramsOf(one).plotMode, 1);  // the plot mode stays

  // All unlocked: the member's ranges, 1,000,000 iterations.
  for (int lock : {101, 102, 103, 200}) sqrt->setLocked(lock, false);
  auto hop = paneFor("DynSys-Hopalong");
  RandomUtils::seed(21);
  for (int i = 0; i < 200; ++i) {
    auto const p = paramsOf(sqrt->makeRandomSnap(start));
    EXPECT_TRUE(p.parameters[0] >= 1 && p.parameters[1] >= 1 && p.parameters[1] <= 5 && p.parameters[2] >= -5);
    EXPECT_EQ(p.numIterations, 1000000);
    auto const q = paramsOf(hop->makeRandomSnap(start));  // any member's snapshot will do
    for (double v : q.parameters) EXPECT_TRUE(v >= -5 && v <= 5) << v;
  }
  // From a member with more parameters the vector is fitted to the pane's member.
  auto const sinSin = std::make_shared<SnapshotDSSinSin>();
  auto const fitted = sqrt->makeRandomSnap(sinSin);
  EXPECT_EQ(fitted->getIdentifier(), "DynSys-Sqrt");
  EXPECT_EQ(paramsOf(fitted).parameters.size(), 3u);

  // Gumowski: its own ranges, 500,000 iterations, its own kind only.
  auto gum = paneFor("DynSys-Gumowski");
  auto const gumStart = std::make_shared<SnapshotDSGumowski>();
  RandomUtils::seed(3);
  for (int i = 0; i < 200; ++i) {
    auto const p = paramsOf(gum->makeRandomSnap(gumStart));
    EXPECT_TRUE(p.parameters[0] >= 0 && p.parameters[0] <= 1) << p.parameters[0];
    EXPECT_TRUE(p.parameters[1] >= -1 && p.parameters[1] <= 1) << p.parameters[1];
    EXPECT_TRUE(p.parameters[2] >= 0 && p.parameters[2] <= 0.1) << p.parameters[2];
    EXPECT_EQ(p.numIterations, 500000);
  }
  // Another member is refused with status 0.
  gen_test::expectStatusZero([&] { gum->makeRandomSnap(start); });
}


using SnapshotDynSysTest = gen_test::CoreTest;


TEST_F(SnapshotDynSysTest, TextFormReadsBackAndCountsAreClamped) {
  // Odd values come back as written.
  SnapshotDSSinCos odd("", SnapshotCore(), block(123, {kNaN, -kInf, -0.0, 1e-300}, 1));
  EXPECT_EQ(gen_test::textOf(odd), "123 nan -inf -0 1e-300 1 ");
  SnapshotDSSinCos back;
  std::istringstream in(gen_test::textOf(odd));
  back.inputParameters(in);
  ASSERT_FALSE(in.fail());
  auto const& p = back.getParameters();
  EXPECT_EQ(p.numIterations, 123);
  EXPECT_TRUE(std::isnan(p.parameters[0]));
  EXPECT_EQ(p.parameters[1], -kInf);
  EXPECT_TRUE(std::signbit(p.parameters[2]));
  EXPECT_EQ(p.parameters[3], 1e-300);
  EXPECT_EQ(p.plotMode, 1);

  // Counts read from a file land in [0, 100,000,000]; past a long long the record is bad.
  struct Case {
    char const* count;
    int read;
  } const counts[] = {{"2000000000", 2000000000}, {"-5", -5}, {"40000", 40000}, {"0", 0}, {"2147483647", 2147483647}};
  for (auto const& c : counts) {
    SnapshotDSHop s;
    std::istringstream is(std::string(c.count) + " 0.4 1 0 7 ");
    s.inputParameters(is);
    ASSERT_FALSE(is.fail()) << c.count;
    EXPECT_EQ(s.getParameters().numIterations, c.read) << c.count;
    EXPECT_EQ(s.getParameters().plotMode, 7);
  }

  // A "DynSys-SinSin" block holds exactly six parameters after the count.
  SnapshotDSSinSin sinSin;
  std::istringstream six("5 1 2 3 4 5 6 0 nextToken ");
  sinSin.inputParameters(six);
  EXPECT_EQ(sinSin.getParameters().parameters, (std::vector<double>{1, 2, 3, 4, 5, 6}));
  std::string rest;
  six >> rest;
  EXPECT_EQ(rest, "nextToken");

  // All or nothing: a bad or missing token fails and changes nothing.
  for (char const* bad : {"1000 1 2 x 0 ", "1000 1 2 ", "1e3 1 2 3 0 ", "1000 1 2 3 0.5 ", "99999999999999999999 1 2 3 0 "}) {
    SnapshotDSSqrt s("", SnapshotCore(), block(77, {9, 8, 7}));
    std::istringstream is(bad);
    s.inputParameters(is);
    EXPECT_TRUE(is.fail()) << bad;
    EXPECT_EQ(s.getParameters().numIterations, 77) << bad;
    EXPECT_EQ(s.getParameters().parameters, (std::vector<double>{9, 8, 7})) << bad;
  }
}

TEST_F(SnapshotDynSysTest, VectorsAlwaysHoldTheMembersCount) {
  // Made from a block of the wrong length, the vector is fitted.
  SnapshotDSSqrt longer("", SnapshotCore(), block(10, {1, 2, 3, 4, 5}));
  EXPECT_EQ(longer.getParameters().parameters, (std::vector<double>{1, 2, 3}));
  SnapshotDSSinSin shorter("", SnapshotCore(), block(2000000000, {7}));
  EXPECT_EQ(shorter.getParameters().parameters, (std::vector<double>{7, 1, 1, 1, 1, 1}));
  EXPECT_EQ(shorter.getParameters().numIterations, 2000000000);
  // Shortened through the reference, it still writes the member's count.
  shorter.getParameters().parameters.resize(2);
  EXPECT_EQ(gen_test::textOf(shorter), "2000000000 7 1 1 1 1 1 0 ");
  std::istringstream is("3 4 5 6 7 8 9 0 ");
  shorter.inputParameters(is);
  EXPECT_EQ(shorter.getParameters().parameters.size(), 6u);
}

TEST_F(SnapshotDynSysTest, EqualityAndMorph) {
  auto const a = std::make_shared<SnapshotDSSqrt>("a", SnapshotCore(), block(1000000, {1, 2, 3}, 1));
  auto const b = std::make_shared<SnapshotDSSqrt>("b", SnapshotCore(), block(2000001, {3, -2, 3.5}, 1));
  // Equality: count, mode and every parameter within 1e-10.
  struct Case {
    DynSysParameters other;
    bool equal;
  } const cases[] = {{block(1000000, {1, 2, 3 + 5e-11}, 1), true}, {block(1000000, {1, 2, 3 + 1e-9}, 1), false},
                     {block(1000001, {1, 2, 3}, 1), false},        {block(1000000, {1, 2, 3}, 0), false}};
  for (auto const& c : cases) EXPECT_EQ(a->isEqual_(SnapshotDSSqrt("", SnapshotCore(), c.other)), c.equal);
  SnapshotDSSqrt withNaN("", SnapshotCore(), block(5, {kNaN, 1, 1}));
  EXPECT_FALSE(withNaN.isEqual_(withNaN));

  // Halfway: counts truncated toward zero, parameters linear, always hit count.
  auto const half = a->morphTowards(b, 0.5);
  DynSysParameters const m = dynamic_cast<SnapshotDSSqrt const&>(*half).getParameters();
  EXPECT_EQ(m.numIterations, 1500000);
  EXPECT_EQ(m.parameters, (std::vector<double>{2, 0, 3.25}));
  EXPECT_EQ(m.plotMode, 0);
  EXPECT_EQ(half->getName(), "");
  // The ends give each side's block (in hit-count mode); far outside [0, 1]
  // or NaN the count stays inside its range.
  auto const morphed = [&](double t) {
    return dynamic_cast<SnapshotDSSqrt const&>(*a->morphTowards(b, t)).getParameters();
  };
  EXPECT_EQ(morphed(500).numIterations, 501000500);
  EXPECT_EQ(morphed(5000).numIterations, 2147483647);
  EXPECT_EQ(morphed(-5).numIterations, -4000005);
  EXPECT_EQ(morphed(kNaN).numIterations, 1000000);
}

}  // namespace
}  // namespace orlenza
