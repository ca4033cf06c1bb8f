#include "core/engine/EscapeIterator.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <vector>

#include "core/engine/Orbit.h"
#include "core/engine/RowParallel.h"
#include "core/generators/EscapeTime/EscapeParameters.h"

namespace orlenza {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
double const kNaN = std::nan("");

// A map given by the coefficients that are not 0: a0 ... a5 are indices 0 ... 5,
// b0 ... b5 indices 6 ... 11.
EscapeParameters mapWith(std::vector<std::pair<int, double>> const& nonZero) {
  EscapeParameters parameters;
  parameters.coefficients.fill(0.0);
  for (auto const& [index, value] : nonZero) parameters.coefficients[static_cast<std::size_t>(index)] = value;
  return parameters;
}

int dwellOf(EscapeParameters const& parameters, double x, double y) {
  EscapeIterator iterator(parameters.coefficients, nullptr, true);
  return iterator.iterate(x, y);
}

TEST(EscapeIteratorTest, DwellsComputedByHand) {
  EscapeParameters const doubling = mapWith({{1, 2.0}});           // x' = 2x, y' = 0
  EscapeParameters const quadratic1 = mapWith({{0, 1.0}, {2, 1.0}});   // x' = x^2 + 1
  EscapeParameters const quadraticM2 = mapWith({{0, -2.0}, {2, 1.0}});  // x' = x^2 - 2
  EscapeParameters const swapped = mapWith({{4, 2.0}, {7, 2.0}});       // (x, y) -> (2y, 2x)
  struct Case {
    char const* what;
    EscapeParameters parameters;
    double x, y;
    int dwell;
  };
  Case const cases[] = {
      {"all zero: stays at the origin", mapWith({}), 5.0, -7.0, 1024},
      {"a0 = 2000: out at once", mapWith({{0, 2000.0}}), 0.0, 0.0, 1},
      {"doubling from 1: 2^10 = 1024 is the first power above 1000", doubling, 1.0, 0.0, 10},
      {"doubling from 500 reaches exactly 1000, which is not outside", doubling, 500.0, 0.0, 2},
      {"doubling from 2^-1013 passes 1000 at step 1023", doubling, std::ldexp(1.0, -1013), 0.0, 1023},
      {"doubling from 2^-1014 passes 1000 at step 1024", doubling, std::ldexp(1.0, -1014), 0.0, 1024},
      {"doubling from the smallest denormal needs 1084 steps", doubling, std::ldexp(1.0, -1074), 0.0, 1024},
      {"doubling from 1e300 overflows to inf, outside", doubling, 1e300, 0.0, 1},
      // (inf * 0 + 2 + 0 * 0) * inf is NaN: inf never gets out under this grouping.
      {"doubling from inf gives NaN", doubling, kInf, 0.0, 1024},
      {"NaN never passes the bailout test", doubling, kNaN, 0.0, 1024},
      {"NaN in y", mapWith({{0, 2000.0}, {4, 1.0}}), 0.0, kNaN, 1024},
      // 0, 1, 2, 5, 26, 677, 458330: 677^2 = 458329 is inside, 458330^2 is not.
      {"x^2 + 1 from 0", quadratic1, 0.0, 0.0, 6},
      // 0, -2, 2, 2, 2, ...
      {"x^2 - 2 from 0 is caught at 2", quadraticM2, 0.0, 0.0, 1024},
      // (1, 0) -> (0, 2) -> (4, 0) -> ... |p(n)| = 2^n.
      {"swapping doubling", swapped, 1.0, 0.0, 10},
      // 800^2 + 600^2 = 1000000 exactly: not outside; the next step is.
      {"bailout on the circle itself", mapWith({{0, 800.0}, {6, 600.0}, {1, 1.0}}), 0.0, 0.0, 2},
  };
  for (Case const& c : cases) {
    EXPECT_EQ(dwellOf(c.parameters, c.x, c.y), c.dwell) << c.what;
    EXPECT_EQ(EscapeIterator::dwell(c.parameters.coefficients, c.x, c.y), c.dwell) << c.what;
    Orbit orbit;
    EscapeIterator recording(c.parameters.coefficients, &orbit, false);
    EXPECT_EQ(recording.iterate(c.x, c.y), c.dwell) << c.what;
  }
}

// z^2 + c as the quadratic map: x' = x^2 - y^2 + re c, y' = 2xy + im c.
EscapeParameters squarePlus(double cRe, double cIm) {
  return mapWith({{0, cRe}, {2, 1.0}, {5, -1.0}, {6, cIm}, {9, 2.0}});
}

TEST(EscapeIteratorTest, SquarePlusConstantEscapesWhereWorkedOutByHand) {
  struct Case {
    char const* what;
    double cRe, cIm, x, y;
    int dwell;
    std::size_t recorded;  // points in the orbit: the start and every iterate inside
  };
  Case const cases[] = {
      {"c = 0 from 0 stays", 0, 0, 0, 0, 1024, 1025},
      // 0, 2, 6, 38, 1446: 1446 is the first outside radius 1000.
      {"c = 2 from 0", 2, 0, 0, 0, 4, 4},
      // 0, -2, 2, 2, ...: the tip of the set stays.
      {"c = -2 from 0", -2, 0, 0, 0, 1024, 1025},
      // 0, 0.25, 0.3125, ... creeps up to 1/2 and stays.
      {"c = 0.25 from 0", 0.25, 0, 0, 0, 1024, 1025},
      // 0, 1 + i, 1 + 3i, -7 + 7i, 1 - 97i, -9407 - 193i.
      {"c = 1 + i from 0", 1, 1, 0, 0, 5, 5},
      // 2, 4, 16, 256, 65536.
      {"c = 0 from 2", 0, 0, 2, 0, 4, 4},
      // On the unit circle |z| stays 1 (within rounding, far from 1000).
      {"c = 0 from 1", 0, 0, 1, 0, 1024, 1025},
      // 1001 is outside already, but the start is never tested: 1002001 is.
      {"c = 0 from 1001", 0, 0, 1001, 0, 1, 1},
      // 31.6^2 = 998.56 is inside radius 1000, its square is not.
      {"c = 0 from 31.6", 0, 0, 31.6, 0, 2, 2},
  };
  for (Case const& c : cases) {
    EscapeParameters const parameters = squarePlus(c.cRe, c.cIm);
    EXPECT_EQ(dwellOf(parameters, c.x, c.y), c.dwell) << c.what;
    Orbit orbit;
    EscapeIterator recording(parameters.coefficients, &orbit, false);
    EXPECT_EQ(recording.iterate(c.x, c.y), c.dwell) << c.what;
    EXPECT_EQ(orbit.size(), c.recorded) << c.what;
  }
  // The recorded orbit of c = 1 + i holds the integer iterates exactly.
  Orbit orbit;
  EscapeIterator recording(squarePlus(1, 1).coefficients, &orbit, false);
  recording.iterate(0, 0);
  std::vector<ComplexDouble> const expected = {{0, 0}, {1, 1}, {1, 3}, {-7, 7}, {1, -97}};
  EXPECT_EQ(orbit.points, expected);
}

TEST(EscapeIteratorTest, DefaultMapOneStepFromTheOrigin) {
  // x' = a0, y' = b0 at the origin.
  Orbit orbit;
  EscapeIterator iterator(EscapeParameters{}.coefficients, &orbit, false);
  iterator.iterate(0.0, 0.0);
  ASSERT_GE(orbit.size(), 2u);
  EXPECT_EQ(orbit.points[0], (ComplexDouble{0.0, 0.0}));
  EXPECT_EQ(orbit.points[1], (ComplexDouble{-1.2, -0.8}));
  // One more step by hand, in the fixed grouping, from (-1.2, -0.8):
  double const x = -1.2;
  double const y = -0.8;
  double const x2 = (x * -0.3 + -1.2 + y * 0.8) * x + -1.2 + (y * -0.6 + -0.5) * y;
  double const y2 = (x * 0.3 + 0.5 + y * 0.2) * x + -0.8 + (y * -1.2 + -1.0) * y;
  ASSERT_GE(orbit.size(), 3u);
  EXPECT_EQ(orbit.points[2].re, x2);
  EXPECT_EQ(orbit.points[2].im, y2);
}

TEST(EscapeIteratorTest, RecordedOrbits) {
  // Out at the 1024th step: dwell 1024 like a point that stays, but one point fewer.
  Orbit orbit;
  EscapeIterator doubling(mapWith({{1, 2.0}}).coefficients, &orbit, false);
  EXPECT_EQ(doubling.iterate(std::ldexp(1.0, -1014), 0.0), 1024);
  EXPECT_EQ(orbit.size(), 1024u);
  // The orbit is appended to, not cleared.
  orbit.clear();
  orbit.add(9.0, 9.0);
  EscapeIterator outAtOnce(mapWith({{0, 2000.0}}).coefficients, &orbit, false);
  outAtOnce.iterate(1.0, 2.0);
  outAtOnce.iterate(3.0, 4.0);
  ASSERT_EQ(orbit.size(), 3u);
  EXPECT_EQ(orbit.points[2], (ComplexDouble{3.0, 4.0}));
  // A dwell-only iterator leaves the orbit alone.
  std::vector<ComplexDouble> const before = orbit.points;
  EscapeIterator dwellOnly(EscapeParameters{}.coefficients, &orbit, true);
  for (double x : {0.0, 1.0, kNaN}) dwellOnly.iterate(x, 0.25);
  EXPECT_EQ(orbit.points, before);
  // A recording iterator without an orbit records nothing and still counts.
  EscapeIterator noOrbit(mapWith({{1, 2.0}}).coefficients, nullptr, false);
  EXPECT_EQ(noOrbit.iterate(1.0, 0.0), 10);
}

TEST(EscapeIteratorTest, CancelFlagIsSeenEvery2To20Steps) {
  EscapeParameters const staying = mapWith({});  // 1024 steps per point
  std::atomic<bool> flag{true};
  Orbit orbit;
  EscapeIterator iterator(staying.coefficients, &orbit, false);
  iterator.setCancelFlag(&flag);
  // 1024 points of 1024 steps are 2^20 steps: the flag is first looked at then.
  for (int point = 0; point < 1024; ++point) {
    ASSERT_FALSE(iterator.cancelled()) << point;
    ASSERT_EQ(iterator.iterate(0.0, 0.0), 1024) << point;
  }
  EXPECT_TRUE(iterator.cancelled());
  orbit.clear();
  EXPECT_EQ(iterator.iterate(0.0, 0.0), 0);
  EXPECT_TRUE(orbit.empty());

  // An unset flag never cancels; steps of escaping points count as well.
  std::atomic<bool> clear{false};
  EscapeIterator dwellOnly(mapWith({{1, 2.0}}).coefficients, nullptr, true);
  dwellOnly.setCancelFlag(&clear);
  for (int point = 0; point < 200000; ++point) ASSERT_EQ(dwellOnly.iterate(1.0, 0.0), 10);
  EXPECT_FALSE(dwellOnly.cancelled());
  clear = true;
  // 200000 * 10 steps so far; the check after the next 2^20 steps sees it.
  int points = 0;
  while (!dwellOnly.cancelled() && points < 200000) {
    dwellOnly.iterate(1.0, 0.0);
    ++points;
  }
  EXPECT_TRUE(dwellOnly.cancelled());
  EXPECT_LE(points, (1 << 20) / 10 + 1);

  // Without a check nothing is ever cancelled.
  EscapeIterator unchecked(staying.coefficients, nullptr, true);
  for (int point = 0; point < 2048; ++point) ASSERT_EQ(unchecked.iterate(0.0, 0.0), 1024);
  EXPECT_FALSE(unchecked.cancelled());
}

class AlwaysCancelled final : public RowProgress {
 public:
  void rowDone() override {}
  bool cancelled() const override { return true; }
};

TEST(EscapeIteratorTest, RowStopCancelsALongRow) {
  AlwaysCancelled progress;
  int dwellsDone = 0;
  bool cancelled = false;
  runRows(
      1,
      [&](int, RowStop const& stop) {
        EscapeIterator iterator(mapWith({}).coefficients, nullptr, true);
        iterator.setRowStop(&stop);
        while (!iterator.cancelled() && dwellsDone < 5000) {
          iterator.iterate(0.0, 0.0);
          ++dwellsDone;
        }
        cancelled = iterator.cancelled();
      },
      progress, 1);
  EXPECT_TRUE(cancelled);
  EXPECT_EQ(dwellsDone, 1024);
}

}  // namespace
}  // namespace orlenza
