#include "core/base/TextIO.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

namespace orlenza::text {
namespace {

TEST(TextIO, DoublesSurviveTheirOwnTextForm) {
  double const values[] = {-0.0, 1e300, 4.9406564584124654e-324, 2.2250738585072014e-308, 123456789012.0,
                           -std::numeric_limits<double>::infinity()};
  for (double v : values) {
    std::stringstream ss;
    writeDouble(ss, v);
    double back = 42;
    readDouble(ss, back);
    ASSERT_FALSE(ss.fail()) << ss.str();
    if (v == 0) {
      EXPECT_EQ(back, 0);
      EXPECT_EQ(std::signbit(back), std::signbit(v));
    } else if (std::isinf(v)) {
      EXPECT_EQ(back, v);
    } else {
      EXPECT_NEAR(back / v, 1.0, 1e-11) << ss.str();
    }
  }
  std::stringstream nan;
  writeDouble(nan, std::nan(""));
  EXPECT_EQ(nan.str(), "nan ");
  double back = 0;
  readDouble(nan, back);
  EXPECT_TRUE(std::isnan(back));
}

TEST(TextIO, TwelveSignificantDigitsAndTrailingBlank) {
  std::stringstream ss;
  writeDouble(ss, 3.14159265358979);
  writeInt(ss, -7);
  writeBool(ss, true);
  writeWord(ss, "pf_none");
  EXPECT_EQ(ss.str(), "3.14159265359 -7 1 pf_none ");
}

TEST(TextIO, GarbageFailsTheStreamAndKeepsTheValue) {
  char const* bad[] = {"abc", "1.5x", "0x1p3", "nan(12)", "1e400", "", "1,5"};
  for (char const* token : bad) {
    std::istringstream is(token);
    double v = 7;
    readDouble(is, v);
    EXPECT_TRUE(is.fail()) << token;
    EXPECT_EQ(v, 7) << token;
  }
  std::istringstream ints("12 -3 2147483648 4294967295 -1 9x");
  int i = 0;
  unsigned u = 0;
  EXPECT_TRUE(readInt(ints, i) && i == 12);
  EXPECT_TRUE(readInt(ints, i) && i == -3);
  EXPECT_FALSE(readInt(ints, i));  // beyond int
  ints.clear();
  EXPECT_TRUE(readUnsigned(ints, u) && u == 4294967295u);
  EXPECT_FALSE(readUnsigned(ints, u));  // negative
  ints.clear();
  EXPECT_FALSE(readInt(ints, i));  // letters after digits
}

TEST(TextIO, HugeTokenFailsWithoutHanging) {
  std::istringstream is(std::string(10 * 1000 * 1000, '7') + " 1");
  double v = 0;
  readDouble(is, v);
  EXPECT_TRUE(is.fail());
}

}  // namespace
}  // namespace orlenza::text
