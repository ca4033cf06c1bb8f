#include "core/generators/DynSys/ParameterPaneDynSys.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "core/CoreRegistration.h"
#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/generators/EscapeTime/SnapshotEscapeParams.h"
#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/DynSys/DynSysBlocks.h"
#include "core/geometry/GeometrySwirl.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

using dynsys_test::block;

DynSysParameters const& paramsOf(std::shared_ptr<Snapshot> const& s) {
  return dynamic_cast<SnapshotDynSys&>(*s).getParameters();
}

auto paneFor(std::string const& identifier) { return gen_test::paneFor<ParameterPaneDynSys>(identifier); }

// One member's table row. The default views, normalizers and gradations are
// pinned by the golden pictures.
struct Row {
  char const* identifier;
  int count;
  int multiplier;
  std::vector<double> parameters;
  int iterations;
  View randomView;
};

std::vector<Row> const& rows() {
  static std::vector<Row> const table = {
      {"DynSys-Sqrt", 3, 1000000, {1, 2, 1}, 1000000, View(0, 0.6, 2, 0, false, false)},
      {"DynSys-SinCos", 4, 1000000, {1.9183349609, 2.2099304199, 2.9627990723, -2.6840209961}, 1000000,
       View(0, 0, 2.2, 0, false, false)},
      {"DynSys-SinSin", 6, 1000000, {2, 2, 3, -2.5, -1, 1}, 1000000, View(0.5, 0.5, 2.8, 0, false, false)},
      {"DynSys-Sin23", 6, 1000000, {2, 2, 3, -2.5, -1, 1}, 1000000, View(0.5, 0.5, 2.8, 0, false, false)},
      {"DynSys-SinXY", 6, 1000000, {4, 2, 1, 3, 5, 4}, 1000000, View(0.5, 0.5, 2.8, 0, false, false)},
      {"DynSys-Hopalong", 3, 1000, {0.4, 1, 0}, 1000000, View(0, 0, 25, -45, false, false)},
      {"DynSys-Gumowski", 3, 1000, {0.001, -0.8, 0.05}, 500000, View(0, 0, 10, 0, false, false)},
  };
  return table;
}

using ParameterPaneDynSysTest = gen_test::CoreTest;

TEST_F(ParameterPaneDynSysTest, FieldsLocksAndDefaultSnapshots) {
  for (Row const& row : rows()) {
    auto pane = paneFor(row.identifier);
    ASSERT_TRUE(pane) << row.identifier;
    auto const& fields = pane->fields();
    ASSERT_EQ(fields.size(), static_cast<std::size_t>(row.count) + 2);
    EXPECT_EQ(fields[0].labelKey, row.multiplier == 1000 ? "lbl_ds_iterationsThousands" : "lbl_ds_iterationsMillions");
    EXPECT_EQ(fields.back().choices, (std::vector<std::string>{"dsplot_hits", "dsplot_visits"}));
    EXPECT_EQ(pane->getIterationMultiplier(), row.multiplier);
    EXPECT_EQ(pane->getLastTextBox(), static_cast<std::size_t>(row.count));
    EXPECT_TRUE(pane->usesInverseGeometry());
    EXPECT_TRUE(pane->getDefaultView() == row.randomView) << row.identifier;
    EXPECT_EQ(pane->makeNewSnapshot()->getIdentifier(), row.identifier);
    auto const d = pane->getDefaultSnapshot();
    EXPECT_EQ(paramsOf(d).parameters, row.parameters) << row.identifier;
    EXPECT_EQ(paramsOf(d).numIterations, row.iterations);
  }
}

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

TEST_F(ParameterPaneDynSysTest, ParametersAndPlotModeBothWays) {
  auto pane = paneFor("DynSys-SinCos");
  double const nan = std::numeric_limits<double>::quiet_NaN();
  SnapshotDSSinCos s("", SnapshotCore(), block(3000000, {1.9183349609, -0.0, nan, 1e-300}, 1));
  pane->updateFromSnapshot(s);
  EXPECT_EQ(pane->fieldText(0), "3");
  char const* texts[] = {"1.9183349609", "-0", "nan", "1e-300"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(pane->fieldText(1 + i), texts[i]);
  EXPECT_EQ(pane->fieldText(5), "dsplot_visits");
  auto back = pane->makeNewSnapshot();
  pane->updateToSnapshot(*back);
  auto const& p = paramsOf(back);
  EXPECT_EQ(p.parameters[0], 1.9183349609);
  EXPECT_TRUE(std::signbit(p.parameters[1]));
  EXPECT_TRUE(std::isnan(p.parameters[2]));
  EXPECT_EQ(p.parameters[3], 1e-300);
  EXPECT_EQ(p.plotMode, 1);
  // Any plot mode other than 0 shows as visit time; the pop-up writes 0 or 1.
  s.getParameters().plotMode = 7;
  pane->updateFromSnapshot(s);
  EXPECT_EQ(pane->fieldText(5), "dsplot_visits");
  pane->setFieldText(5, "dsplot_hits");
  pane->updateToSnapshot(*back);
  EXPECT_EQ(paramsOf(back).plotMode, 0);
  pane->setFieldText(5, "dsplot_visits");
  pane->updateToSnapshot(*back);
  EXPECT_EQ(paramsOf(back).plotMode, 1);

  // Other kinds are refused both ways.
  SnapshotDSSqrt otherMember;
  SnapshotEscapeParams escape;
  EXPECT_THROW(pane->updateFromSnapshot(otherMember), PlatformError);
  EXPECT_THROW(pane->updateToSnapshot(otherMember), PlatformError);
  EXPECT_THROW(pane->updateFromSnapshot(escape), PlatformError);
}

TEST_F(ParameterPaneDynSysTest, RandomSnapshotsHonourLocksAndRanges) {
  auto start = std::make_shared<SnapshotDSSqrt>("kept?", SnapshotCore(), block(4000, {9, 9, 9}, 1));
  start->getCore().setNorm(77);
  start->getCore().setGeometry(std::make_shared<GeometrySwirl>());
  start->getCore().setView(View(3, 4, 0.01, 45, true, true));

  // Everything locked: nothing is drawn, the view becomes the member's.
  auto sqrt = paneFor("DynSys-Sqrt");
  for (int lock : {101, 102, 103, 200}) sqrt->setLocked(lock, true);
  auto const same = gen_test::withoutDraws([&] { return sqrt->makeRandomSnap(start); });
  EXPECT_TRUE(same->isEqual_(*start));
  EXPECT_EQ(same->getName(), "");
  EXPECT_EQ(same->getCore().getNorm(), 77);
  EXPECT_EQ(same->getCore().getGeometry(), start->getCore().getGeometry());
  EXPECT_TRUE(same->getCore().getView() == View(0, 0.6, 2, 0, false, false));
  EXPECT_EQ(start->getCore().getView().getCenterX(), 3);

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
    EXPECT_GE(p.parameters[0], 1);
    EXPECT_GE(p.parameters[1], 1);
    EXPECT_LE(p.parameters[1], 5);
    EXPECT_GE(p.parameters[2], -5);
    EXPECT_EQ(p.numIterations, 1000000);
    auto const q = paramsOf(hop->makeRandomSnap(start));  // any member's snapshot will do
    for (double v : q.parameters) EXPECT_TRUE(v >= -5 && v <= 5) << v;
    EXPECT_EQ(q.numIterations, 1000000);
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
  for (int lock : {101, 102, 103, 200}) gum->setLocked(lock, true);
  RandomUtils::seed(5);
  EXPECT_TRUE(gum->makeRandomSnap(gumStart)->isEqual_(*gumStart));
  EXPECT_EQ(RandomUtils::random(), AdditiveFeedbackGenerator(5).next());

  // No snapshot, a foreign one, or (for Gumowski) another member: status 0.
  auto const escape = std::make_shared<SnapshotEscapeParams>();
  struct Refused {
    ParameterPaneDynSys* pane;
    std::shared_ptr<Snapshot const> snapshot;
  } const refused[] = {{sqrt.get(), nullptr}, {sqrt.get(), escape}, {gum.get(), start}, {gum.get(), nullptr}};
  for (auto const& c : refused) {
    gen_test::expectStatusZero([&] { c.pane->makeRandomSnap(c.snapshot); });
  }
}

}  // namespace
}  // namespace orlenza
