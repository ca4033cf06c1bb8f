#include "core/model/View.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace orlenza {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool sameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

// The folding as first described: subtract or add 360 one turn at a time.
double foldByLoop(double angle) {
  while (angle > 360) angle -= 360;
  while (angle < -360) angle += 360;
  return angle;
}

TEST(View, ConstructorFoldsTheAngle) {
  struct Case {
    double in, out;
  } const cases[] = {
      {720, 360}, {725, 5},  {-725, -5},       {360, 360}, {-360, -360}, {361, 1},
      {-1e-300, -1e-300}, {-1080, -360}, {1e20, 280}, {kNaN, 0}, {kInf, 0},  {-kInf, 0},
  };
  for (auto const& c : cases) {
    View v(0, 0, 1, c.in, false, false);
    EXPECT_EQ(v.getAngle(), c.out) << c.in;
  }
  EXPECT_TRUE(std::signbit(View(0, 0, 1, -0.0, false, false).getAngle()));
  // Beyond 2^56 the loop would never end; the fold still answers a turn.
  double const huge = View(0, 0, 1, 1e300, false, false).getAngle();
  EXPECT_TRUE(huge >= -360 && huge <= 360);
}

TEST(View, ConstantTimeFoldMatchesTheLoopBitForBit) {
  std::mt19937_64 rng(12345);
  std::uniform_real_distribution<double> wide(-1e6, 1e6);
  std::uniform_real_distribution<double> near(-1500, 1500);
  std::uniform_int_distribution<int> turns(-2000, 2000);
  std::vector<double> values = {360.0, -360.0, std::nextafter(360.0, 400.0), std::nextafter(-360.0, -400.0),
                                720.0 + 1e-12, 719.9999999999, -720.0000000001, 1e5 + 0.3, 0.1 + 360.0 * 7};
  for (int i = 0; i < 20000; ++i) values.push_back(wide(rng));
  for (int i = 0; i < 20000; ++i) values.push_back(near(rng));
  for (int i = 0; i < 2000; ++i) values.push_back(360.0 * turns(rng));
  for (int i = 0; i < 2000; ++i) values.push_back(360.0 * turns(rng) + near(rng) * 1e-9);
  for (double v : values) {
    double const expected = foldByLoop(v);
    ASSERT_TRUE(sameBits(View::foldAngle(v), expected)) << std::hexfloat << v;
  }
}

TEST(View, RelativeAndAbsolutePointsByHand) {
  // angle 90: the view turns a step to the right of the image into plane (0, -1) * size.
  struct Case {
    View view;
    Coord2D relative, absolute;
  } const cases[] = {
      {View(), {0.3, -0.7}, {0.3, -0.7}},
      {View(1, 2, 2, 0, false, false), {1, 0}, {3, 2}},
      {View(1, 2, 2, 90, false, false), {1, 0}, {1, 4}},
      {View(1, 2, 2, 90, true, false), {0, 1}, {3, 2}},
      {View(1, 2, 2, 90, false, true), {1, 0}, {1, 0}},
      {View(0, 0, 0.5, -45, false, false), {2, 0}, {std::sqrt(0.5), -std::sqrt(0.5)}},
      {View(5, 5, 1, 0, true, true), {1, 2}, {4, 3}},
  };
  for (auto const& c : cases) {
    Coord2D const a = c.view.viewRelativeToAbsolute(c.relative);
    EXPECT_NEAR(a.x, c.absolute.x, 1e-9);
    EXPECT_NEAR(a.y, c.absolute.y, 1e-9);
  }
}

TEST(View, AbsoluteToRelativeInvertsAtEveryAngleWithoutFlips) {
  Coord2D const points[] = {{0, 0}, {1, 0}, {0, -1}, {0.25, 3.5}, {-1e3, 7e2}};
  for (double angle = -360; angle <= 360; angle += 7.5) {
    for (double size : {1e-6, 0.5, 3.0, 1e6}) {
      View const view(-0.7, 12.5, size, angle, false, false);
      for (Coord2D const p : points) {
        Coord2D const back = view.absoluteToViewRelative(view.viewRelativeToAbsolute(p));
        double const scale = 1 + std::fabs(p.x) + std::fabs(p.y) + (12.5 + 0.7) / size;
        EXPECT_NEAR(back.x, p.x, 1e-12 * scale) << angle << " " << size;
        EXPECT_NEAR(back.y, p.y, 1e-12 * scale) << angle << " " << size;
      }
    }
  }
  // With flips it inverts at angle 0 (and 180) only: the flips act on the rotated point.
  View const flippedStraight(1, 2, 3, 0, true, true);
  Coord2D const straight = flippedStraight.absoluteToViewRelative(flippedStraight.viewRelativeToAbsolute({0.5, 0.25}));
  EXPECT_NEAR(straight.x, 0.5, 1e-12);
  EXPECT_NEAR(straight.y, 0.25, 1e-12);
  View const flippedTurned(0, 0, 1, 90, true, false);
  Coord2D const turned = flippedTurned.absoluteToViewRelative(flippedTurned.viewRelativeToAbsolute({1, 0}));
  EXPECT_NEAR(turned.x, -1, 1e-9);
  EXPECT_NEAR(turned.y, 0, 1e-9);
}

TEST(View, MorphBlendsCentreSizeAngleAndKeepsTheFlags) {
  View const a(0, 10, 1, 350, true, false);
  View const b(4, -10, 3, -350, false, true);
  View const half = a.morphTowards(b, 0.5);
  EXPECT_EQ(half.getCenterX(), 2);
  EXPECT_EQ(half.getCenterY(), 0);
  EXPECT_EQ(half.getSize(), 2);
  EXPECT_EQ(half.getAngle(), 0);
  EXPECT_TRUE(half.getFlipH());
  EXPECT_FALSE(half.getFlipV());
  // Extrapolation folds the angle again: 350 + 2 * (-700) = -1050 -> -330.
  EXPECT_EQ(a.morphTowards(b, 2).getAngle(), -330);
  EXPECT_EQ(a.morphTowards(b, 2).getCenterX(), 8);
  // An infinite t gives a NaN angle, which counts as 0.
  EXPECT_EQ(a.morphTowards(b, kInf).getAngle(), 0);
}

TEST(View, EqualityTolerances) {
  View const base(1, 2, 3, 40, false, false);
  struct Case {
    View other;
    bool equal;
  } const cases[] = {
      {View(1, 2, 3, 40, false, false), true},
      {View(1, 2, 3, 40 + 5e-6, false, false), true},
      {View(1, 2, 3, 40 + 2e-5, false, false), false},
      {View(1 + 5e-11, 2 - 5e-11, 3 + 5e-11, 40, false, false), true},
      {View(1 + 2e-10, 2, 3, 40, false, false), false},
      {View(1, 2, 3 + 2e-10, 40, false, false), false},
      {View(1, 2, 3, 40, false, true), false},
      {View(kNaN, 2, 3, 40, false, false), false},
      {View(1, 2, kInf, 40, false, false), false},
  };
  for (auto const& c : cases) EXPECT_EQ(base == c.other, c.equal) << c.other;
  View const withNaN(kNaN, 0, 1, 0, false, false);
  EXPECT_FALSE(withNaN == withNaN);

  // Deep zooms: a zoom or a move of a tenth of the picture is a change at any depth.
  View const deep(0.25, 0.5, 1e-13, 0, false, false);
  EXPECT_FALSE(deep == View(0.25, 0.5, 5e-14, 0, false, false));
  EXPECT_FALSE(deep == View(0.25 + 1e-14, 0.5, 1e-13, 0, false, false));
  EXPECT_TRUE(deep == View(0.25 + 5e-24, 0.5, 1e-13, 0, false, false));
}

TEST(View, TextFormWritesSixTokensAndReadsThemBack) {
  std::ostringstream flipped;
  flipped << View(-0.5, 1e300, 2.5, -90, true, false);
  EXPECT_EQ(flipped.str(), "-0.5 1e+300 2.5 -90 1 0 ");

  // Values whose 12-digit form is exact; the denormals among them included.
  double const odd[] = {-0.0, 1e300, 4.9406564584124654e-324, kNaN, -kInf};
  for (double value : odd) {
    View const written(value, -value, value, 12.5, true, true);
    std::stringstream ss;
    ss << written;
    View read(9, 9, 9, 9, false, false);
    ss >> read;
    ASSERT_FALSE(ss.fail()) << ss.str();
    for (auto [got, want] : {std::pair{read.getCenterX(), value}, {read.getCenterY(), -value}, {read.getSize(), value}}) {
      if (std::isnan(want)) {
        EXPECT_TRUE(std::isnan(got));
      } else {
        EXPECT_TRUE(sameBits(got, want)) << ss.str();
      }
    }
    EXPECT_EQ(read.getAngle(), 12.5);
    EXPECT_TRUE(read.getFlipH() && read.getFlipV());
  }
  // An angle read from a file is folded like a constructed one, whatever its size.
  for (auto [textForm, angle] : {std::pair<char const*, double>{"0 0 1 725 0 0 ", 5}, {"0 0 1 1e20 0 0 ", 280},
                                 {"0 0 1 inf 0 0 ", 0}, {"0 0 1 nan 0 0 ", 0}}) {
    std::istringstream is(textForm);
    View read;
    is >> read;
    ASSERT_FALSE(is.fail()) << textForm;
    EXPECT_EQ(read.getAngle(), angle) << textForm;
  }
}

TEST(View, GarbageFailsTheStreamAndLeavesTheView) {
  std::string const good = "1 2 3 4 0 1";
  std::vector<std::string> inputs = {"", "1 2 3 4 0", "x 2 3 4 0 1", "1 2 3 4 0 y", "1 2 3 4 0.5 1",
                                     "1 2 3e999 4 0 1", "1,5 2 3 4 0 1", "nan(1) 2 3 4 0 1",
                                     "1 2 3 4 99999999999999999999999 1"};
  std::string const huge(10 * 1024 * 1024, '7');
  for (int position = 0; position < 6; ++position) {
    std::istringstream tokens(good);
    std::string token, line;
    for (int i = 0; tokens >> token; ++i) line += (i == position ? huge : token) + " ";
    inputs.push_back(line);
  }
  View const original(9, 8, 7, 6, true, false);
  for (auto const& input : inputs) {
    std::istringstream is(input);
    View view = original;
    is >> view;
    EXPECT_TRUE(is.fail()) << input.substr(0, 40);
    EXPECT_TRUE(view == original) << input.substr(0, 40);
  }
}

}  // namespace
}  // namespace orlenza
