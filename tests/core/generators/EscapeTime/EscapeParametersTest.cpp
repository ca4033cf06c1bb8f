#include "core/generators/EscapeTime/EscapeParameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

namespace orlenza {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(EscapeParameters, EqualityWithinTolerance) {
  EscapeParameters a;
  EscapeParameters b;
  EXPECT_TRUE(a == b);
  b.coefficients[11] += 5e-11;
  EXPECT_TRUE(a == b);
  b.coefficients[11] += 1e-10;
  EXPECT_FALSE(a == b);
  b = a;
  b.analyzerID = "OA_Other";
  EXPECT_FALSE(a == b);
  b = a;
  b.coefficients[3] = kNaN;
  EXPECT_FALSE(b == b);  // a NaN equals nothing
  b.coefficients[3] = kInf;
  EXPECT_TRUE(b == b);
}

TEST(EscapeParameters, MorphIsLinearAndKeepsTheFirstAnalyzer) {
  EscapeParameters a;
  EscapeParameters b;
  for (std::size_t i = 0; i < 12; ++i) {
    a.coefficients[i] = static_cast<double>(i);
    b.coefficients[i] = 10.0 + static_cast<double>(i) * 3.0;
  }
  a.analyzerID = "OA_First";
  b.analyzerID = "OA_Second";
  EscapeParameters m;
  m.morph(a, b, 0.5);
  for (std::size_t i = 0; i < 12; ++i) EXPECT_DOUBLE_EQ(m.coefficients[i], 5.0 + 2.0 * static_cast<double>(i));
  EXPECT_EQ(m.analyzerID, "OA_First");
  m.morph(a, b, 2.0);  // extrapolates
  EXPECT_DOUBLE_EQ(m.coefficients[0], 20.0);
  m.morph(a, b, 0.0);
  EXPECT_TRUE(m == a);
}

TEST(EscapeParameters, GarbageFailsAndChangesNothing) {
  std::string const twelve = "1 2 3 4 5 6 7 8 9 10 11 12 ";
  std::string const bad[] = {
      "",
      "1 2 3",
      twelve,  // analyzer missing
      "1 2 3 4 5 6 x 8 9 10 11 12 OA_Dwell ",
      "1 2 3 4 5 6 7 8 9 10 11 1e999 OA_Dwell ",
      std::string(10 << 20, '9') + " " + twelve + "OA_Dwell",
  };
  for (auto const& text : bad) {
    EscapeParameters p;
    std::istringstream is(text);
    p.inputParameters(is);
    EXPECT_TRUE(is.fail()) << text.substr(0, 60);
    EXPECT_TRUE(p == EscapeParameters()) << text.substr(0, 60);
  }
}

}  // namespace
}  // namespace orlenza
