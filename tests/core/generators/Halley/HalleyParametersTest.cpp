#include "core/generators/Halley/HalleyParameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

namespace orlenza {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

HalleyParameters readFrom(std::string const& text, bool* failed = nullptr) {
  HalleyParameters p;
  std::istringstream is(text);
  p.inputParameters(is);
  if (failed) *failed = is.fail();
  return p;
}

TEST(HalleyParameters, LambdaIsItsMagnitudeClampedEverywhere) {
  struct Case {
    char const* token;
    double given, held;
  } const cases[] = {
      {"-0.5", -0.5, 0.5},     {"0", 0, 0.001},           {"-0", -0.0, 0.001},   {"5", 5, 2},
      {"2", 2, 2},             {"-0.001", -0.001, 0.001}, {"0.000999", 0.000999, 0.001},
      {"1.999", 1.999, 1.999}, {"-inf", -kInf, 2},        {"nan", kNaN, 1},
  };
  for (auto const& c : cases) {
    HalleyParameters p;
    p.setLambda(c.given);
    EXPECT_EQ(p.getLambda(), c.held) << c.token;
    // Reading applies the same rule.
    std::string const text = std::string("1 2 3 4 5 6 7 8 9 10 11 12 13 ") + c.token + " 0 OA_Dwell ";
    bool failed = true;
    HalleyParameters const read = readFrom(text, &failed);
    ASSERT_FALSE(failed) << text;
    EXPECT_EQ(read.getLambda(), c.held) << text;
    EXPECT_EQ(read.coefficients[12], 13);
  }
}

TEST(HalleyParameters, AnyConvergenceTestIsReadAndKept) {
  struct Case {
    char const* token;
    int held;
  } const cases[] = {{"7", 7}, {"-5", -5}, {"2000000000", 2000000000},
                     {"99999999999", std::numeric_limits<int>::max()}, {"-99999999999", std::numeric_limits<int>::min()}};
  for (auto const& c : cases) {
    std::string const text = std::string("0 -1 0 0 0 0 0 1 0 0 0 0 0 1 ") + c.token + " OA_Whatever ";
    bool failed = true;
    HalleyParameters const p = readFrom(text, &failed);
    ASSERT_FALSE(failed) << text;
    EXPECT_EQ(p.convergenceTest, c.held) << text;
    EXPECT_EQ(p.analyzerID, "OA_Whatever");
  }
}

TEST(HalleyParameters, Equality) {
  HalleyParameters const a;
  HalleyParameters b;
  EXPECT_TRUE(a == b);
  b.coefficients[12] += 5e-11;
  EXPECT_TRUE(a == b);
  b.coefficients[12] += 1e-10;
  EXPECT_FALSE(a == b);
  b = a;
  b.setLambda(1.0 + 1e-15);  // lambda compares exactly
  EXPECT_FALSE(a == b);
  b = a;
  b.convergenceTest = 7;  // computes as 0, but is another value
  EXPECT_FALSE(a == b);
  b = a;
  b.analyzerID = "OA_Real";
  EXPECT_FALSE(a == b);
  b = a;
  b.coefficients[0] = kNaN;
  EXPECT_FALSE(b == b);
}

TEST(HalleyParameters, MorphIsLinearWithLambdaClamped) {
  HalleyParameters a;
  HalleyParameters b;
  for (std::size_t k = 0; k < 13; ++k) {
    a.coefficients[k] = static_cast<double>(k);
    b.coefficients[k] = 10.0 + 3.0 * static_cast<double>(k);
  }
  a.setLambda(0.5);
  b.setLambda(2);
  a.convergenceTest = 2;
  b.convergenceTest = 1;
  a.analyzerID = "OA_First";
  b.analyzerID = "OA_Second";
  struct Case {
    double t, lambda, c0, c12;
  } const cases[] = {
      {0, 0.5, 0, 12},     {1, 2, 10, 46},      {0.5, 1.25, 5, 29},
      {2, 2, 20, 80},      // (1 - 2) 0.5 + 2 * 2 = 3.5, clamped
      {-1, 1, -10, -22},   // 2 * 0.5 - 2 = -1, its magnitude
      {-0.2, 0.2, -2, 5.2},  // 0.6 - 0.4
  };
  for (auto const& c : cases) {
    HalleyParameters m;
    m.morph(a, b, c.t);
    EXPECT_DOUBLE_EQ(m.getLambda(), c.lambda) << c.t;
    EXPECT_DOUBLE_EQ(m.coefficients[0], c.c0) << c.t;
    EXPECT_DOUBLE_EQ(m.coefficients[12], c.c12) << c.t;
    EXPECT_EQ(m.convergenceTest, 2);
    EXPECT_EQ(m.analyzerID, "OA_First");
  }
  HalleyParameters m;
  m.morph(a, b, 0);
  EXPECT_TRUE(m == a);
}

TEST(HalleyParameters, GarbageFailsAndChangesNothing) {
  std::string const thirteen = "1 2 3 4 5 6 7 8 9 10 11 12 13 ";
  std::string const bad[] = {
      "",
      "1 2 3",
      thirteen,                           // lambda missing
      thirteen + "1 ",                    // test missing
      thirteen + "1 0 ",                  // analyzer missing
      thirteen + "1 0.5 OA_Dwell ",       // test not a whole number
      thirteen + "1 x OA_Dwell ",
      "1 2 3 4 5 6 x 8 9 10 11 12 13 1 0 OA_Dwell ",
      "1 2 3 4 5 6 7 8 9 10 11 12 1e999 1 0 OA_Dwell ",
      thirteen + "1e999 0 OA_Dwell ",
      std::string(10 << 20, '9') + " " + thirteen + "1 0 OA_Dwell",
  };
  for (auto const& text : bad) {
    bool failed = false;
    HalleyParameters const p = readFrom(text, &failed);
    EXPECT_TRUE(failed) << text.substr(0, 60);
    EXPECT_TRUE(p == HalleyParameters()) << text.substr(0, 60);
  }
}

}  // namespace
}  // namespace orlenza
