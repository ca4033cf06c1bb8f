#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <limits>
#include <utility>

#include "core/generators/Curves/CurvesLine.h"
#include "core/generators/Curves/CurvesParameters.h"
#include "core/generators/Curves/ImageComputatorCurves.h"
#include "core/generators/Curves/ParameterPaneCurves.h"
#include "core/generators/Curves/SnapshotCurves.h"
#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/Halley/SnapshotHalley.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {
namespace {

using gen_test::textOf;
using gen_test::CountingNotifier;
using gen_test::sumOf;
using gen_test::Draws;

using P = CurvesParameters;

P read(char const* text, bool* failed = nullptr) {
  P p;
  p.numPoints = 5;
  std::istringstream is(text);
  p.inputParameters(is);
  if (failed) *failed = is.fail();
  return p;
}

TEST(CurvesParametersTest, CombinationsTextForm) {
  // s1 = 0.5, s2 = -0.25, s3 = 2, worked out by hand; other values combine like 0.
  double const want[] = {0.5, 0.25, -0.125, 2.25, -0.25, 0.875, 1.875, 0.5, 0.5};
  double const maxima[] = {1, 2, 1, 3, 1, 2, 2, 1, 1};
  int const combinations[] = {0, 1, 2, 3, 4, 5, 6, 7, -1};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(P::combine(combinations[i], 0.5, -0.25, 2), want[i]) << combinations[i];
    EXPECT_EQ(P::getMaxValue(combinations[i]), maxima[i]) << combinations[i];
  }

  EXPECT_EQ(textOf(P()), "2000 1 4 3 0 3 0.5 2 0.5  2 3 0 2 0 2 0  ");
  P odd;
  odd.numPoints = 4294967295u;
  odd.connect = false;
  odd.xCombination = -7;
  odd.yCoords.terms[2] = {-15, 1.0 / 3};
  odd.xCoords.terms[0].phase = std::numeric_limits<double>::quiet_NaN();
  bool failed = true;
  EXPECT_EQ(textOf(read(textOf(odd).c_str(), &failed)), textOf(odd));
  EXPECT_FALSE(failed);
  for (char const* bad : {"2000 1 4 3 0 3 0.5 2 0.5 2 3 0 2 0 2", "2000 1 4 3 0 3 0.5 2.5 0.5 2 3 0 2 0 2 0", ""}) {
    P const kept = read(bad, &failed);
    EXPECT_TRUE(failed) << bad;
    EXPECT_EQ(kept.numPoints, 5u) << bad;
  }
  // Integers beyond their type are pinned.
  P const wide = read("-5 7 99999999999 -99999999999 0 1 0 1 0 0 1 0 1 0 1 0");
  EXPECT_TRUE(wide.numPoints == 0 && wide.connect && wide.xCombination == INT_MAX);
  EXPECT_EQ(wide.xCoords.terms[0].frequency, INT_MIN);
  EXPECT_EQ(read("99999999999 0 0 1 0 1 0 1 0 0 1 0 1 0 1 0").numPoints, 4294967295u);
}

TEST(CurvesParametersTest, EqualityAndMorph) {
  P b;
  b.xCoords.terms[1].phase += 0.9e-5;
  EXPECT_TRUE(b == P());
  b.xCoords.terms[1].phase += 0.2e-5;
  EXPECT_FALSE(b == P());
  b = P();
  b.yCoords.terms[2].frequency = 3;
  EXPECT_FALSE(b == P());

  P target;
  target.numPoints = 10;
  target.connect = false;
  target.yCombination = 6;
  target.xCoords.terms[0] = {4, 1};    // 3 -> 4
  target.yCoords.terms[0] = {-4, -1};  // 3 -> -4
  P m;
  m.morph(P(), target, 0.5);
  EXPECT_EQ(textOf(m), "1005 1 4 3 0.5 3 0.5 2 0.5  2 0 -0.5 2 0 2 0  ");  // 3.5 -> 3, -0.5 -> 0
  m.morph(P(), target, 0.75);
  EXPECT_EQ(m.yCoords.terms[0].frequency, -2);  // -2.25 toward zero
  m.morph(P(), target, 2);  // beyond the end the count stops at 0
  EXPECT_EQ(m.numPoints, 0u);
  m.morph(P(), target, -1e10);
  EXPECT_TRUE(m.numPoints == 4294967295u && m.xCoords.terms[0].frequency == INT_MIN);
}

// The whole line walked pixel by pixel, each pixel but the start counted where it is inside.
void plainLine(int width, int height, RawField& field, long long x0, long long y0, long long x1, long long y1) {
  bool const steep = std::llabs(y1 - y0) > std::llabs(x1 - x0);
  if (steep) {
    std::swap(x0, y0);
    std::swap(x1, y1);
  }
  // Walked from the lower end; backwards, the walk's first pixel is the line's end.
  bool const backwards = x1 < x0;
  if (backwards) {
    std::swap(x0, x1);
    std::swap(y0, y1);
  }
  long long const dx = x1 - x0, dy = std::llabs(y1 - y0);
  long long const step = y1 > y0 ? 1 : -1;
  long long y = y0, err = dy;
  if (dx < 2 * dy) {
    err = dy - dx;
    y += step;
  }
  auto const count = [&](long long a, long long b) {
    long long const px = steep ? b : a, py = steep ? a : b;
    if (px >= 0 && px < width && py >= 0 && py < height) field[static_cast<int>(px)][static_cast<int>(py)] += 1;
  };
  if (backwards) count(x0, y0);
  for (long long x = x0 + 1; x <= x1; ++x) {
    if (!backwards || x < x1) count(x, y);
    err += dy;
    if (dx < 2 * err) {
      y += step;
      err -= dx;
    }
  }
}

bool sameField(RawField const& a, RawField const& b) {
  return std::memcmp(a.data(), b.data(), a.cellCount() * sizeof(double)) == 0;
}

TEST(CurvesLineTest, CountsEveryPixelButTheStart) {
  RawField field(8, 8);
  field.fill(0);
  drawLine(8, 8, field, 2, 2, 5, 3);
  EXPECT_EQ(field[3][2], 1);
  EXPECT_EQ(field[4][3], 1);
  EXPECT_EQ(field[5][3], 1);
  EXPECT_EQ(field[2][2], 0);
  EXPECT_EQ(sumOf(field), 3);

  drawLine(8, 8, field, 6, 6, 6, 6);  // length 0
  EXPECT_EQ(field[6][6], 0);
  drawLine(8, 8, field, 5, 3, 2, 2);  // backwards: the same pixels, now without (5, 3)
  EXPECT_EQ(field[2][2], 1);
  EXPECT_EQ(field[3][2], 2);
  EXPECT_EQ(field[4][3], 2);
  EXPECT_EQ(field[5][3], 1);
}

TEST(CurvesLineTest, ClippedLinesCountExactlyThePixelsOfTheWholeWalk) {
  constexpr int kWidth = 37, kHeight = 23;
  AdditiveFeedbackGenerator random(2024);
  auto const coordinate = [&random](long long reach) {
    return static_cast<long long>(random.next() % static_cast<std::uint32_t>(2 * reach + 1)) - reach + 15;
  };
  // Lines in every direction, inside, around and far beyond the picture.
  for (long long reach : {3LL, 40LL, 3000LL}) {
    RawField clipped(kWidth, kHeight), plain(kWidth, kHeight);
    clipped.fill(0);
    plain.fill(0);
    for (int i = 0; i < 3000; ++i) {
      long long const x0 = coordinate(reach), y0 = coordinate(reach), x1 = coordinate(reach), y1 = coordinate(reach);
      drawLine(kWidth, kHeight, clipped, x0, y0, x1, y1);
      plainLine(kWidth, kHeight, plain, x0, y0, x1, y1);
    }
    EXPECT_TRUE(sameField(clipped, plain)) << "reach " << reach;
  }
}

TEST(CurvesLineTest, FarEndPointsCostOnlyThePicture) {
  // A walk of 4e9 pixels would not end within the test; the clipped one is at the picture at once.
  RawField field(16, 16);
  field.fill(0);
  drawLine(16, 16, field, -2000000000, 7, 2000000000, 8);
  // b moves to 8 once 2 k > 4e9, k = x + 2e9: from x = 1 on.
  EXPECT_EQ(field[0][7], 1);
  EXPECT_EQ(field[0][8], 0);
  for (int x = 1; x < 16; ++x) {
    EXPECT_EQ(field[x][8], 1) << x;
    EXPECT_EQ(field[x][7], 0) << x;
  }
  field.fill(0);
  drawLine(16, 16, field, 2000000015, -2000000000, -2000000000, 2000000015);  // the anti-diagonal, far out
  for (int x = 0; x < 16; ++x) EXPECT_EQ(field[x][15 - x], 1) << x;
  field.fill(0);
  drawLine(16, 16, field, INT_MIN + 1, INT_MIN + 1, INT_MIN + 5, INT_MAX - 1);  // passes the picture by
  drawLine(16, 16, field, 3, INT_MIN + 1, 4, INT_MAX - 1);  // steep: x becomes 4 half way, at y = 0
  EXPECT_EQ(sumOf(field), 16);
  for (int y = 0; y < 16; ++y) EXPECT_EQ(field[4][y], 1) << y;
}

// x = sin(theta), y = cos(theta): with 4 points the top, right, bottom and left
// of the unit circle, at pixels (50, 25), (75, 50), (50, 75), (25, 50) of a
// 100 x 100 picture of size 2.
P circle(unsigned points, bool connect, int frequency = 1) {
  P p;
  p.numPoints = points;
  p.connect = connect;
  p.xCombination = p.yCombination = 0;
  p.xCoords.terms[0] = {frequency, 0};
  p.yCoords.terms[0] = {frequency, 0.5};
  return p;
}

SnapshotCurves curvesIn(P const& p, View const& view = View(0, 0, 2, 0, false, false)) {
  SnapshotCore core;
  core.setView(view);
  return SnapshotCurves("", core, p);
}

class ImageComputatorCurvesTest : public gen_test::CoreTest {
 protected:
  void compute(Snapshot const& s, ComputationNotifier& n) { computator.computeImage(s, 100, 100, field, n); }
  ImageComputatorCurves& computator = ImageComputatorCurves::instance();
  RawField field{100, 100};
  CountingNotifier notifier;
};

TEST_F(ImageComputatorCurvesTest, DotsAndLinesCountTheirHits) {
  compute(curvesIn(circle(4, false)), notifier);
  EXPECT_EQ(notifier.totals, std::vector<long>{4});
  EXPECT_EQ(notifier.steps, 4);
  for (auto [x, y] : {std::pair{50, 25}, {75, 50}, {50, 75}, {25, 50}}) EXPECT_EQ(field[x][y], 1) << x << ", " << y;
  EXPECT_EQ(sumOf(field), 4);

  // Joined: four diagonals of 25 pixels; the first point counts also as the dot it starts with.
  compute(curvesIn(circle(4, true)), notifier);
  EXPECT_EQ(sumOf(field), 101);
  EXPECT_EQ(field[50][25], 2);
  for (auto [x, y] : {std::pair{75, 50}, {50, 75}, {25, 50}, {62, 37}, {37, 38}})
    EXPECT_EQ(field[x][y], 1) << x << ", " << y;

  compute(curvesIn(circle(7, false, 0)), notifier);  // every point on one pixel
  EXPECT_EQ(field[50][25], 7);
  EXPECT_EQ(sumOf(field), 7);

  field.fill(5);  // no points: cleared, and nothing drawn even when joined
  CountingNotifier none;
  compute(curvesIn(circle(0, true)), none);
  EXPECT_EQ(none.totals, std::vector<long>{0});
  EXPECT_EQ(sumOf(field), 0);
}

TEST_F(ImageComputatorCurvesTest, CancelGeometryAndPointsFarAway) {
  CountingNotifier cancel(2);
  compute(curvesIn(circle(4, true)), cancel);
  EXPECT_EQ(cancel.steps, 2);
  EXPECT_EQ(sumOf(field), 26);  // the first dot and the first line, no closing line
  SnapshotCurves swirled = curvesIn(P());
  swirled.getCore().setGeometry(std::make_shared<GeometrySwirl>());
  RawField plain(100, 100);
  compute(swirled, notifier);
  computator.computeImage(curvesIn(P()), 100, 100, plain, notifier);
  EXPECT_TRUE(sameField(field, plain));
  EXPECT_GT(sumOf(field), 300);

  // Zoomed in 2^20 times on the circle's top: the neighbouring points lie 80000 pixels
  // away, the farthest 1e8; the two lines through the picture make one row.
  compute(curvesIn(circle(2000, true), View(0, 1, 2.0 / 1048576, 0, false, false)), notifier);
  EXPECT_EQ(sumOf(field), 101);
  for (int x = 0; x < 100; ++x) EXPECT_EQ(field[x][50], x == 50 ? 2 : 1) << x;

  // Points without a pixel index (NaN, or beyond the int range) join no line.
  P broken = circle(50, true);
  broken.xCoords.terms[0].phase = std::numeric_limits<double>::quiet_NaN();
  compute(curvesIn(broken), notifier);
  EXPECT_EQ(sumOf(field), 0);
  compute(curvesIn(circle(50, true), View(0, 0, 1e-300, 0, false, false)), notifier);
  EXPECT_EQ(sumOf(field), 0);
}


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
