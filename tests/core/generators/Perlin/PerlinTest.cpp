#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/Perlin/ImageComputatorPerlin.h"
#include "core/generators/Perlin/ParameterPanePerlin.h"
#include "core/generators/Perlin/PerlinNoise.h"
#include "core/generators/Perlin/SnapshotPerlin.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {
namespace {

using gen_test::CountingNotifier;

using P = PerlinParameters;

SnapshotPerlin snapshot(View const& view, P const& p) {
  SnapshotCore core;
  core.setView(view);
  return SnapshotPerlin("", core, p);
}

// The one pixel of a 1 x 1 picture lies on the view's centre.
double valueAt(double x, double y, P const& p) {
  RawField field(1, 1);
  CountingNotifier notifier;
  ImageComputatorPerlin::instance().computeImage(snapshot(View(x, y, 1, 0, false, false), p), 1, 1, field, notifier, 1);
  return field[0][0];
}

P layered(int combination, int shaping) {
  P p{.octavesA = 8, .persistenceA = 0.9, .scaleB = 0.05, .octavesB = 7, .persistenceB = 0.35, .scaleC = 0.8,
      .octavesC = 3, .persistenceC = 1, .amplitude = 250};
  p.combination = combination;
  p.shaping = shaping;
  return p;
}

class ImageComputatorPerlinTest : public gen_test::CoreTest {
 protected:
  ImageComputatorPerlin& computator = ImageComputatorPerlin::instance();
};

// Every combination with every shaping at two points, from a separate Python
// implementation of the noise, the octave sums and the combining rules.
TEST_F(ImageComputatorPerlinTest, ValuesMatchIndependentlyComputedOnes) {
  // The defaults' octaves at one point, every combination with every shaping.
  double const atDefaults[5][3] = {
      {467.5766368714152, 64.84672625716959, 0.0},  {464.59196837760896, 70.81606324478204, 0.0},
      {425.76095530251104, 148.47808939497793, 0.0}, {500.19354598078627, 0.387091961572501, 0.387091961572501},
      {461.3625329056883, 77.2749341886234, 0.0},
  };
  for (int combination = 0; combination < 5; ++combination)
    for (int shaping = 0; shaping < 3; ++shaping) {
      P p;
      p.combination = combination;
      p.shaping = shaping;
      EXPECT_NEAR(valueAt(4.3, 2.1, p), atDefaults[combination][shaping], 1e-10) << combination << shaping;
    }
  // Other octave counts, persistences and scales.
  EXPECT_NEAR(valueAt(-1.7, 6.2, layered(4, 2)), 101.21759545121026, 1e-10);
  EXPECT_NEAR(valueAt(-1.7, 6.2, layered(2, 0)), 171.95854275908408, 1e-10);
}

TEST_F(ImageComputatorPerlinTest, ValuesReadFromFilesOutsideThePanesRanges) {
  P p;
  // An unknown combination gives 0 everywhere: half the amplitude with the default shaping.
  p.combination = 9;
  EXPECT_EQ(valueAt(4.3, 2.1, p), 500);
  p.shaping = 2;
  EXPECT_EQ(valueAt(4.3, 2.1, p), 0);
  p.shaping = -4;  // any other shaping is the default one
  p.combination = 0;
  EXPECT_EQ(valueAt(4.3, 2.1, p), valueAt(4.3, 2.1, P()));
  // A negative amplitude inverts; no octaves make the layer 0.
  p.amplitude = -1000;
  EXPECT_EQ(valueAt(4.3, 2.1, p), -valueAt(4.3, 2.1, P()));
  p.amplitude = 1000;
  p.octavesA = INT_MIN;
  EXPECT_EQ(valueAt(4.3, 2.1, p), 500);

  // Huge counts are summed only to the cap: the result is that of the cap.
  P capped = layered(4, 0);
  capped.octavesA = capped.octavesB = capped.octavesC = ImageComputatorPerlin::kMaxEvaluatedOctaves;
  P huge = capped;
  huge.octavesA = huge.octavesB = huge.octavesC = INT_MAX;
  RawField field(64, 64);
  CountingNotifier notifier;
  computator.computeImage(snapshot(View(0.3, -0.2, 0.001, 0, false, false), huge), 64, 64, field, notifier, 1);
  EXPECT_EQ(notifier.steps, 64);
  EXPECT_EQ(valueAt(0.3, -0.2, huge), valueAt(0.3, -0.2, capped));
  // Absurd scales and far views give numbers or NaN, never a crash.
  P wild = layered(2, 1);
  wild.scaleB = 1e300;
  wild.scaleC = std::numeric_limits<double>::quiet_NaN();
  EXPECT_TRUE(std::isnan(valueAt(4.3, 2.1, wild)));
  EXPECT_FALSE(std::isnan(valueAt(-1.5e300, 7e299, P())));
}

TEST_F(ImageComputatorPerlinTest, TablesNonFinitePointsAndThreads) {
  EXPECT_EQ(ImageComputatorPerlin::perlinB().permutation(), Perlin(10043).permutation());
  gen_test::expectNaNWithoutAPlanePoint(computator, [](View const& v) { return snapshot(v, P()); });

}

using gen_test::textOf;

using P = PerlinParameters;
using Pane = ParameterPanePerlin;

std::shared_ptr<SnapshotPerlin> withParameters(P const& p) {
  return std::make_shared<SnapshotPerlin>("start", SnapshotCore(), p);
}

P const& paramsOf(std::shared_ptr<Snapshot> const& s) { return dynamic_cast<SnapshotPerlin&>(*s).getParameters(); }

class ParameterPanePerlinTest : public gen_test::CoreTest {
 protected:
  // Shown, then written back into the snapshot shown, as the controls do.
  P roundTrip(P const& p) {
    auto const s = withParameters(p);
    pane.updateFromSnapshot(*s);
    pane.updateToSnapshot(*s);
    return s->getParameters();
  }

  Pane pane;
};

TEST_F(ParameterPanePerlinTest, FieldsLocksAndTheValidityOfWhatIsTyped) {

  P p;
  p.octavesA = 20;
  p.persistenceB = 1.5;
  p.scaleC = 1.0 / 3;
  p.combination = 3;
  p.shaping = 2;
  pane.updateFromSnapshot(*withParameters(p));
  EXPECT_EQ(pane.fieldText(Pane::kScaleCField), "0.333333");
  EXPECT_EQ(pane.fieldText(Pane::kCombinationField), "perlincomb_AtimesB");
  EXPECT_EQ(pane.fieldText(Pane::kShapingField), "perlinshape_positive");
  // Written back, the pane's ranges apply: 20 octaves become 12, a persistence of 1.5 becomes 1.
  EXPECT_EQ(textOf(roundTrip(p)), "12 0.5 0.2 4 1 0.333333 5 0.6 1000 3 2 ");

  // Typed texts: out of range, negative, not a finite number (read as 0).
  char const* const typed[] = {"3", "nan", "inf", "0", "0.25", "-4", "1e20", "-3", "-250", "perlincomb_AplusBplusC",
                               "perlinshape_abs"};
  for (std::size_t i = 0; i < Pane::kFieldCount; ++i) pane.setFieldText(i, typed[i]);
  auto s = pane.makeNewSnapshot();
  pane.updateToSnapshot(*s);
  EXPECT_EQ(textOf(paramsOf(s)), "3 0 0 1 0.25 -4 12 0 250 2 1 ");

  P odd;
  odd.combination = 9;
  odd.shaping = -1;
  pane.updateFromSnapshot(*withParameters(odd));
  EXPECT_EQ(pane.fieldText(Pane::kCombinationField), "perlincomb_A");
  EXPECT_EQ(pane.fieldText(Pane::kShapingField), "perlinshape_half");
  EXPECT_TRUE(roundTrip(odd) == odd);
  pane.setFieldText(Pane::kCombinationField, "perlincomb_AplusB");
  pane.setFieldText(Pane::kShapingField, "perlinshape_abs");
  auto const chosen = withParameters(odd);
  pane.updateToSnapshot(*chosen);
  EXPECT_EQ(textOf(chosen->getParameters()), "5 0.5 0.2 4 0.7 0.5 5 0.6 1000 1 1 ");
}

TEST_F(ParameterPanePerlinTest, RandomSnapshotHonoursLocks) {
  P const start{.octavesA = 11, .persistenceA = 0.05, .scaleB = 7, .octavesB = 12, .persistenceB = 0.1, .scaleC = 9,
                .octavesC = 10, .persistenceC = 0.15, .amplitude = 3, .combination = 9, .shaping = 7};
  auto const current = withParameters(start);
  gen_test::giveBusyCore(*current);

  int const locks[] = {101, 102, 103, 104, 105, 106, 107, 108, 109, 301, 302};
  // All open: the draws in field order, shaping before combination, none after.
  for (int lock : locks) pane.setLocked(lock, false);
  for (std::uint32_t seed : {1u, 2u, 4000000000u}) {
    RandomUtils::seed(seed);
    P const p = paramsOf(pane.makeRandomSnap(current));
    AdditiveFeedbackGenerator d(seed);
    EXPECT_EQ(p.octavesA, RandomUtils::intFromDraw(d.next(), 1, 8));
    EXPECT_EQ(p.persistenceA, RandomUtils::doubleFromDraw(d.next(), 0.2, 1.0));
    EXPECT_EQ(p.scaleB, RandomUtils::doubleFromDraw(d.next(), 0.01, 1.0));
    EXPECT_EQ(p.octavesB, RandomUtils::intFromDraw(d.next(), 1, 8));
    EXPECT_EQ(p.persistenceB, RandomUtils::doubleFromDraw(d.next(), 0.2, 1.0));
    EXPECT_EQ(p.scaleC, RandomUtils::doubleFromDraw(d.next(), 0.01, 1.0));
    EXPECT_EQ(p.octavesC, RandomUtils::intFromDraw(d.next(), 1, 8));
    EXPECT_EQ(p.persistenceC, RandomUtils::doubleFromDraw(d.next(), 0.2, 1.0));
    EXPECT_EQ(p.amplitude, 1000);
    EXPECT_EQ(p.shaping, RandomUtils::intFromDraw(d.next(), 1, 3) - 1);
    EXPECT_EQ(p.combination, RandomUtils::intFromDraw(d.next(), 1, 5) - 1);
    EXPECT_EQ(RandomUtils::random(), d.next());
  }
  // One lock keeps its one field.
  pane.setLocked(106, true);
  EXPECT_EQ(paramsOf(pane.makeRandomSnap(current)).scaleC, 9);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Published outputs of the reference MT19937.
TEST(MTGeneratorTest, ReproducesTheReferenceSequence) {
  MTGenerator seeded(5489);
  std::uint32_t const first[] = {3499211612u, 581869302u, 3890346734u, 3586334585u, 545404204u};
  for (std::uint32_t want : first) EXPECT_EQ(seeded.genrand_int32(), want);

  MTGenerator unseeded;  // never seeded: the reference default seed
  for (int i = 1; i < 10000; ++i) unseeded.genrand_int32();
  EXPECT_EQ(unseeded.genrand_int32(), 4123659995u);

  // Only the low 32 bits of a seed count; real1 is int32 / (2^32 - 1).
  MTGenerator wide(5489ul + (1ul << 32));
  EXPECT_EQ(wide.genrand_int32(), 3499211612u);
  EXPECT_EQ(wide.genrand_real1(), 581869302.0 / 4294967295.0);
}

// Tables and noise values from a separate implementation of the recurrence
// and of the noise, written in Python from the algorithm's description.
TEST(PerlinTest, TablesAndNoiseMatchAnIndependentImplementation) {
  Perlin const a(766);
  EXPECT_DOUBLE_EQ(a.gradients()[0].x, 0.0890836682145213);
  EXPECT_DOUBLE_EQ(a.gradients()[0].y, 0.339370681168365);
  EXPECT_EQ(a.permutation()[0], 184);
  EXPECT_EQ(a.permutation()[1], 222);
  EXPECT_EQ(a.permutation()[3], 102);
  Perlin const b(10043);
  EXPECT_DOUBLE_EQ(b.gradients()[255].x, 0.321675240486319);
  EXPECT_DOUBLE_EQ(b.gradients()[255].y, 0.47420667227688396);
  EXPECT_EQ(Perlin(8002).permutation()[255], 19);

  struct Sample {
    double x, y, value;
  } const samples[] = {
      {0.3, 0.7, -0.05219707831932574},        {-2.75, -0.125, 0.044333725008959324},
      {1e6 + 0.5, -1e6 - 0.25, -0.06840359707940599},
  };
  for (auto const& s : samples) EXPECT_NEAR(a.noise2D(s.x, s.y), s.value, 1e-15) << s.x << "," << s.y;
  EXPECT_NEAR(b.noise2D(0.3, 0.7), 0.09529875962835913, 1e-15);
  EXPECT_NEAR(Perlin(8002).noise2D(0.3, 0.7), 0.14410860929681657, 1e-15);
}

TEST(PerlinTest, LatticeCellsNegativeCoordinatesAndHugeOrNonFiniteInput) {
  Perlin const n(766);
  for (double x : {-3.0, -1.0, -0.0, 0.0, 1.0, 7.0, 255.0, 256.0, -256.0, 1e9})
    for (double y : {-2.0, 0.0, 5.0, -1e9}) EXPECT_EQ(n.noise2D(x, y), 0.0) << x << "," << y;

  // -1 is the right edge of the cell [-2, -1]: the same value as the left edge of [-1, 0].
  EXPECT_NEAR(n.noise2D(-1.0, 0.5), n.noise2D(-1.0 + 1e-12, 0.5), 1e-11);
  EXPECT_NEAR(n.noise2D(-1e-13, 0.3), n.noise2D(1e-13, 0.3), 1e-12);

  // The table index wraps for negative and huge lattice coordinates.
  EXPECT_EQ(&n.gradient(-1, 0), &n.gradient(255, 0));
  EXPECT_EQ(&n.gradient(3, -257), &n.gradient(3, 255));
  EXPECT_EQ(&n.gradient(-1000000000L, 7), &n.gradient(-1000000000L + 256L * 3906250L, 7));

  // Past 2^52 every double is whole: still the lattice value, with no overflow.
  for (double big : {4503599627370496.0, -4503599627370496.0, 1e300, -1e300, 1.7976931348623157e308})
    EXPECT_EQ(n.noise2D(big, 0.0), 0.0) << big;
  EXPECT_TRUE(std::isfinite(n.noise2D(1e300, 0.5)));
  EXPECT_TRUE(std::isnan(n.noise2D(kNaN, 0.5)));
  EXPECT_TRUE(std::isnan(n.noise2D(0.5, kInf)));

  // Octave sums: none is 0; one octave is the noise; f q x scales the point.
  EXPECT_EQ(octaveSum(n, 1, 0, 0.5, 0.3, 0.7), 0.0);
  EXPECT_EQ(octaveSum(n, 1, -5, 0.5, 0.3, 0.7), 0.0);
  EXPECT_EQ(octaveSum(n, 1, 1, 0.5, 0.3, 0.7), n.noise2D(0.3, 0.7));
  EXPECT_DOUBLE_EQ(octaveSum(n, 0.5, 2, 0.25, 0.6, 1.4), n.noise2D(0.3, 0.7) + 0.25 * n.noise2D(0.6, 1.4));
}


bool read(std::string const& text, P& p) {
  std::istringstream is(text);
  p.inputParameters(is);
  return !is.fail();
}

P sample() {
  P p;
  EXPECT_TRUE(read("8 0.9 0.05 7 0.35 0.8 3 1 250 4 2 ", p));
  return p;
}

TEST(SnapshotPerlinTest, TextFormRoundTripsAndReadsValuesAsTheyStand) {
  EXPECT_EQ(textOf(P()), "5 0.5 0.2 4 0.7 0.5 5 0.6 1000 0 0 ");
  P odd = sample();
  odd.scaleB = 1.0 / 3;
  odd.persistenceA = kNaN;
  P back;
  ASSERT_TRUE(read(textOf(odd), back));
  EXPECT_EQ(textOf(back), textOf(odd));
  EXPECT_TRUE(std::isnan(back.persistenceA));

  // Outside the pane's ranges, as read; integers past int pinned to its ends.
  P wild;
  ASSERT_TRUE(read("20 1.5 0 -3 -2 1e300 99999999999 7 -5 9 -1 ", wild));
  EXPECT_EQ(textOf(wild), "20 1.5 0 -3 -2 1e+300 2147483647 7 -5 9 -1 ");
  ASSERT_TRUE(read("-99999999999 0.5 0.2 4 0.7 0.5 5 0.6 1000 0 0", wild));
  EXPECT_EQ(wild.octavesA, INT_MIN);

  // A bad or missing token changes nothing.
  for (char const* bad : {"5 0.5 0.2 4 0.7 0.5 5 0.6 1000 0", "5.5 0.5 0.2 4 0.7 0.5 5 0.6 1000 0 0", ""}) {
    P p = sample();
    EXPECT_FALSE(read(bad, p)) << bad;
    EXPECT_TRUE(p == sample()) << bad;
  }
}

TEST(SnapshotPerlinTest, ForceValidClampsWhatThePaneWrites) {
  P p;
  ASSERT_TRUE(read("20 1.5 inf 0 -0.1 -7 -2147483648 nan -250 9 -1 ", p));
  p.forceValid();
  // A negative scale mirrors its layer and is kept; NaN and inf take the defaults.
  EXPECT_EQ(textOf(p), "12 1 0.2 1 0 -7 1 0.6 250 9 -1 ");
  p.amplitude = kNaN;
  p.forceValid();
  EXPECT_EQ(p.amplitude, 1000);
  P valid = sample();
  valid.forceValid();
  EXPECT_TRUE(valid == sample());
}

TEST(SnapshotPerlinTest, EqualityAndMorph) {
  registerCoreFamilies();
  P near = sample();
  near.scaleB += 5e-11;
  near.amplitude -= 5e-11;
  EXPECT_TRUE(near == sample());
  near.persistenceC += 1e-9;
  EXPECT_FALSE(near == sample());

  P const a;  // octavesA 5, combination 0, shaping 0
  P const b = sample();
  P m;
  m.morph(a, b, 0.5);
  EXPECT_EQ(textOf(m), "6 0.7 0.125 5 0.525 0.65 4 0.8 625 0 0 ");  // counts 6.5, 5.5, 4 truncated
  m.morph(a, b, 0.999);
  EXPECT_EQ(m.combination, 0);
  EXPECT_EQ(m.octavesA, 7);  // 7.997
  m.morph(a, b, 1 - 5e-11);
  EXPECT_EQ(m.combination, 4);
  // Counts far outside int and a NaN t never convert out of range.
  P huge = b;
  huge.octavesA = INT_MAX;
  m.morph(huge, a, -3);
  EXPECT_EQ(m.octavesA, INT_MAX);
  m.morph(huge, a, kNaN);
  EXPECT_EQ(m.octavesA, INT_MAX);
}

}  // namespace
}  // namespace orlenza
