#include <gtest/gtest.h>

#include <limits>

#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/Quot/ImageComputatorQuot.h"
#include "core/generators/Quot/ParameterPaneQuot.h"
#include "core/generators/Quot/SnapshotQuot.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {
namespace {

using gen_test::CountingNotifier;
using gen_test::textOf;

using P = QuotParameters;

P withValues(std::vector<double> const& values) {
  P p;
  for (unsigned i = 0; i < values.size(); ++i) p.setParameter(i, values[i]);
  return p;
}

// Only the numerator's x coefficient and constant, denominator 1: V = X + c.
P linearInX(double constant, double amplitude = 1) {
  return withValues({0, 1, 0, 0, 0, constant, 0, 0, 0, 0, 0, 1, -1, 1, -1, 1, amplitude});
}

SnapshotQuot snapshot(View const& view, P const& p) {
  SnapshotCore core;
  core.setView(view);
  return SnapshotQuot("", core, p);
}

double valueAt(ImageComputatorQuot& computator, double x, double y, P const& p) {
  RawField field(1, 1);  // the one pixel lies on the view's centre
  CountingNotifier notifier;
  computator.computeImage(snapshot(View(x, y, 1, 0, false, false), p), 1, 1, field, notifier, 1);
  return field[0][0];
}

class ImageComputatorQuotTest : public gen_test::CoreTest {
 protected:
  ImageComputatorQuot& computator = ImageComputatorQuot::instance();
};

// An 8 x 6 picture of the view of size 6.25: pixel (x, y) is the plane point
// ((x - 4) 25/12, (3 - y) 25/12). Values worked out in Python from the
// formulas, with the two folds written out apart from the code.
TEST_F(ImageComputatorQuotTest, ValuesMatchIndependentlyComputedOnes) {
  P reversed;  // a reversed x side leaves x unfolded
  reversed.setParameter(P::kXMin, 1);
  reversed.setParameter(P::kXMax, -1);
  reversed.setParameter(P::kAmplitude, 10);
  struct Case {
    P parameters;
    std::vector<gen_test::Sample> samples;
  } const cases[] = {
      {P(),
       {{0, 0, 983.3333333333276}, {7, 5, 59.523809523808204}, {4, 3, 1000.0}}},
      {withValues({0.613801752037, -2.7501668724, -1.06908220615, -0.560616066475, -2.14958749113, -3.55218948729,
                   0.635544995608, 3.64678703651, 3.95401836324, -2.69195325565, -4.95988394132, -0.394191125126,
                   -2.42919125009, -2.2254243876, -0.560525472071, 0.311687258217, 1000}),
       {{0, 0, 855.7570029002588}, {7, 5, 130.78055827268287}, {4, 3, 787.8565921417251}}},
      {reversed,
       {{0, 0, 4.27655677655677}, {7, 5, 4.872549019607844}, {4, 3, 10.0}}},
  };
  View const view(0, 0, 6.25, 0, false, false);
  for (auto const& c : cases) gen_test::expectSamples(computator, snapshot(view, c.parameters), 8, 6, c.samples);
}

TEST_F(ImageComputatorQuotTest, FoldsZeroDenominatorsAndOverflow) {
  double const nan = std::numeric_limits<double>::quiet_NaN();
  P zeroDenominator;
  for (unsigned i = P::kDenXX; i <= P::kDenConst; ++i) zeroDenominator.setParameter(i, 0);
  P overflow = linearInX(1e308);
  overflow.setParameter(P::kDenConst, 1e-308);
  struct Case {
    double x, y;
    P parameters;
    double value;
  } const cases[] = {
      // X = 0.5 at 1.5 and -0.5 at 3.5: V = X + 0.25 folds to 0.75 and 0.25.
      {1.5, 0, linearInX(0.25), 0.75},
      {3.5, 0, linearInX(0.25), 0.25},
      {-2.5, 7, linearInX(0.25), 0.75},  // -2.5 folds to 0.5
      {0, 0, P(), 1000},                 // D = 1, V = 1, whose fold is 1
      {0.3, -0.7, zeroDenominator, 0},   // no quotient: 0, not NaN
      {0, 0, overflow, nan},             // a quotient past the largest double
  };
  for (auto const& c : cases) {
    double const got = valueAt(computator, c.x, c.y, c.parameters);
    if (std::isnan(c.value))
      EXPECT_TRUE(std::isnan(got)) << c.x << "," << c.y << ": " << got;
    else
      EXPECT_NEAR(got, c.value, 1e-12) << c.x << "," << c.y;
  }
}

TEST_F(ImageComputatorQuotTest, NonFinitePointsAndThreads) {
  gen_test::expectNaNWithoutAPlanePoint(computator, [](View const& v) { return snapshot(v, P()); });
  RawField huge(11, 11);
  CountingNotifier notifier;
  computator.computeImage(snapshot(View(1.7e308, 0, 5e307, 0, false, false), P()), 11, 11, huge, notifier, 1);
  EXPECT_FALSE(std::isnan(huge[0][5]));  // finite, however far: folded back

}

using gen_test::doubleDraw;

using P = QuotParameters;

std::shared_ptr<SnapshotQuot> withParameters(P const& p) {
  return std::make_shared<SnapshotQuot>("start", SnapshotCore(), p);
}

P const& paramsOf(std::shared_ptr<Snapshot> const& s) { return dynamic_cast<SnapshotQuot&>(*s).getParameters(); }

class ParameterPaneQuotTest : public gen_test::CoreTest {
 protected:
  ParameterPaneQuot pane;
};

TEST_F(ParameterPaneQuotTest, FieldsShowFiveDigitsAndWhatIsTypedIsMadeValid) {
  P odd;
  double const values[] = {1.0 / 3, -123456.789, 1e-300, -0.0, std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::infinity()};
  for (unsigned i = 0; i < 6; ++i) odd.setParameter(i, values[i]);
  pane.updateFromSnapshot(*withParameters(odd));
  char const* texts[] = {"0.33333", "-1.2346e+05", "1e-300", "-0", "nan", "inf"};
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(pane.fieldText(i), texts[i]) << i;
  // A reversed x side and an amplitude that is no number are made valid as forceValid does.
  pane.setFieldText(12, "2");
  pane.setFieldText(13, "1");
  pane.setFieldText(16, "none");
  auto s = pane.makeNewSnapshot();
  pane.updateToSnapshot(*s);
  P const& p = paramsOf(s);
  EXPECT_EQ(p.getParameter(P::kXMax), 3);
  EXPECT_EQ(p.getParameter(P::kAmplitude), 1);
  EXPECT_EQ(p.getParameter(0), 0.33333);  // five digits were shown
  EXPECT_EQ(p.getParameter(1), -123460);
}

TEST_F(ParameterPaneQuotTest, RandomSnapshotHonoursLocks) {
  P start;
  for (unsigned i = 0; i < 17; ++i) start.setParameter(i, 10.0 + i);
  auto const current = withParameters(start);
  gen_test::giveBusyCore(*current);

  for (int lock = 101; lock <= 116; ++lock) pane.setLocked(lock, true);
  // All locked but 117: only the amplitude changes, to 1000, after one wasted draw.
  pane.setLocked(117, false);
  RandomUtils::seed(6);
  auto const amplitude = pane.makeRandomSnap(current);
  P expected = start;
  expected.setParameter(P::kAmplitude, 1000);
  EXPECT_TRUE(paramsOf(amplitude) == expected);
  AdditiveFeedbackGenerator one(6);
  one.next();
  EXPECT_EQ(RandomUtils::random(), one.next());

  // All open: seventeen draws in [-5, 5], then the rectangle drawn again so
  // that no side is reversed, and the amplitude 1000.
  for (int lock = 101; lock <= 117; ++lock) pane.setLocked(lock, false);
  for (std::uint32_t seed : {1u, 2u, 4000000000u}) {
    RandomUtils::seed(seed);
    P const p = paramsOf(pane.makeRandomSnap(current));
    AdditiveFeedbackGenerator draws(seed);
    for (unsigned i = 0; i < 12; ++i) EXPECT_EQ(p.getParameter(i), doubleDraw(draws.next(), -5, 5)) << i;
    for (int i = 0; i < 5; ++i) draws.next();
    double const xMin = doubleDraw(draws.next(), -5, 5);
    double const xMax = xMin + doubleDraw(draws.next(), 0, 5);
    double const yMin = doubleDraw(draws.next(), -5, 5);
    double const yMax = yMin + doubleDraw(draws.next(), 0, 5);
    EXPECT_EQ(p.getParameter(P::kXMin), xMin);
    EXPECT_EQ(p.getParameter(P::kXMax), xMax);
    EXPECT_EQ(p.getParameter(P::kYMin), yMin);
    EXPECT_EQ(p.getParameter(P::kYMax), yMax);
    EXPECT_EQ(p.getParameter(P::kAmplitude), 1000);
    EXPECT_EQ(RandomUtils::random(), draws.next());  // no further draw
  }

  // The minimum locked: the maximum is drawn above the kept minimum.
  pane.setLocked(113, true);
  RandomUtils::seed(9);
  P const kept = paramsOf(pane.makeRandomSnap(current));
  EXPECT_EQ(kept.getParameter(P::kXMin), 22);
  EXPECT_GE(kept.getParameter(P::kXMax), 22);
  EXPECT_LE(kept.getParameter(P::kXMax), 27);
}


constexpr double kInf = std::numeric_limits<double>::infinity();

using SnapshotQuotTest = gen_test::CoreTest;

TEST_F(SnapshotQuotTest, SeventeenParametersAndARangeErrorPastThem) {
  P p;
  EXPECT_EQ(p.getNumParameters(), 17u);
  EXPECT_EQ(textOf(p), "1 0 1 0 1 1 0 1 0 1 0 1 -1 1 -1 1 1000 ");
  for (unsigned long index : {17ul, ~0ul}) {
    gen_test::expectRangeError([&] { p.getParameter(index); }, "Range error for QuotParameters");
    EXPECT_THROW(p.setParameter(index, 1), std::out_of_range);
  }
}

TEST_F(SnapshotQuotTest, ForceValidMakesTheRectangleAndAmplitudeUsable) {
  struct Case {
    double xMin, xMax, yMin, yMax, amplitude;
    double wantXMax, wantYMax, wantAmplitude;
  } const cases[] = {
      {2, 1, -1, 1, 1000, 3, 1, 1000},      // reversed x side
      {-1, 1, 0.5, 0.5, 1000, 1, 1.5, 1000},  // empty y side
      {-1, 1, -1, 1, -5, 1, 1, 5},
      {-1, 1, -1, 1, 0, 1, 1, 1},
      {-1, 1, -1, 1, -0.0, 1, 1, 1},
      {-4, -3.5, 7, 9, 0.001, -3.5, 9, 0.001},  // valid: unchanged
      {kInf, 1, -1, 1, -kInf, kInf, 1, kInf},
  };
  for (auto const& c : cases) {
    P p;
    p.setParameter(P::kXMin, c.xMin);
    p.setParameter(P::kXMax, c.xMax);
    p.setParameter(P::kYMin, c.yMin);
    p.setParameter(P::kYMax, c.yMax);
    p.setParameter(P::kAmplitude, c.amplitude);
    p.forceValid();
    EXPECT_EQ(p.getParameter(P::kXMin), c.xMin);
    EXPECT_EQ(p.getParameter(P::kXMax), c.wantXMax) << c.xMin << " " << c.xMax;
    EXPECT_EQ(p.getParameter(P::kYMin), c.yMin);
    EXPECT_EQ(p.getParameter(P::kYMax), c.wantYMax) << c.yMin << " " << c.yMax;
    EXPECT_EQ(p.getParameter(P::kAmplitude), c.wantAmplitude) << c.amplitude;
    for (unsigned i = 0; i < 12; ++i) EXPECT_EQ(p.getParameter(i), P().getParameter(i));
  }
}

TEST_F(SnapshotQuotTest, MorphIsLinearInEveryParameter) {
  P a, b;
  for (unsigned i = 0; i < 17; ++i) {
    a.setParameter(i, 4.0 * i);
    b.setParameter(i, 2.0 * i - 10);
  }
  // Three quarters of 4 i and a quarter of 2 i - 10; the rectangle stays valid.
  P m;
  m.morph(a, b, 0.25);
  for (unsigned i = 0; i < 17; ++i) EXPECT_EQ(m.getParameter(i), 3.5 * i - 2.5) << i;
}

}  // namespace
}  // namespace orlenza
