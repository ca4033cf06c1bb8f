#include "core/engine/Normalizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

namespace orlenza {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
double const kNaN = std::nan("");

class NormalizerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registerAllNormalizers(); }
  static double at(char const* id, double v, double n) { return Normalizer::getNormalizerFromID(id).normalize(v, n); }
};

TEST_F(NormalizerTest, ValuesAtNorm256) {
  EXPECT_DOUBLE_EQ(at("norm_lin", 128, 256), 0.5);
  EXPECT_DOUBLE_EQ(at("norm_sqrt", 64, 256), 0.5);
  EXPECT_DOUBLE_EQ(at("norm_log", 256, 256), 1.0);
  EXPECT_DOUBLE_EQ(at("norm_inverse", 256, 256), 0.5);
  EXPECT_NEAR(at("norm_sin", 128, 256), 1.0, 1e-12);
  EXPECT_DOUBLE_EQ(at("norm_fuzz", 2.25, 1), 0.5);
  EXPECT_DOUBLE_EQ(at("norm_fuzz", 4, 1), 0.0);
  EXPECT_GT(at("norm_arctan", 1e12, 1), 0.999999);
}

TEST_F(NormalizerTest, ModuloRepeatsEveryTruncatedNorm) {
  EXPECT_DOUBLE_EQ(at("norm_modulo", 23, 10), 3.0 / 9.0);
  EXPECT_DOUBLE_EQ(at("norm_modulo", 9, 10), 1.0);
  EXPECT_DOUBLE_EQ(at("norm_modulo", -23, 10), -3.0 / 9.0);  // sign of the dividend
  EXPECT_EQ(at("norm_modulo", 123, 1.5), 0.0);
  // 70000 is 4464 in its low 16 bits.
  EXPECT_DOUBLE_EQ(at("norm_modulo", 70000, 1000), 464.0 / 999.0);
  // Never a division by zero nor an out-of-range conversion: 131072.5 has a
  // 16-bit modulus of 0, 3e9 is past any int.
  EXPECT_EQ(at("norm_modulo", 5, 131072.5), 0.0);
  EXPECT_EQ(at("norm_modulo", 3e9, 10), 0.0);
  EXPECT_EQ(at("norm_modulo", 5, 1e300), 0.0);
  EXPECT_EQ(at("norm_modulo", 5, kNaN), 1.0);  // not above 1
}

// Every normalizer on the values that could break, at a tiny, a fractional and
// a 16-bit-wrapping norm. Expected values worked out by hand from the formulas
// (the transcendental ones to 40 digits in a multiprecision calculator).
TEST_F(NormalizerTest, EdgeValuesAtEdgeNorms) {
  struct Case {
    char const* id;
    double n;
    // Answers for v = 0, -1, NaN, +inf, -inf.
    double atZero, atMinusOne, atNaN, atInf, atMinusInf;
  };
  Case const cases[] = {
      {"norm_lin", 1e-10, 0, -1e10, kNaN, kInf, -kInf},
      {"norm_lin", 1.5, 0, -0.66666666666666667, kNaN, kInf, -kInf},
      // Norm not above 1: everything is 1. trunc(1.5) = 1 divides everything.
      // 65536 wraps to a 16-bit modulus of 0: no remainder, 0.
      {"norm_modulo", 1e-10, 1, 1, 1, 1, 1},
      {"norm_modulo", 1.5, 0, 0, 0, 0, 0},
      {"norm_modulo", 65536, 0, 0, 0, 0, 0},
      // log2(1 - 1e10) and log2(-inf) do not exist.
      {"norm_log", 1e-10, 0, kNaN, kNaN, kInf, kNaN},
      {"norm_log", 1.5, 0, -1.5849625007211561815, kNaN, kInf, kNaN},
      {"norm_sqrt", 1.5, 0, kNaN, kNaN, kInf, kNaN},
      // sin(-pi/2) with the rounded 2 pi rounds to -1, so 0; sin of an
      // infinite angle does not exist. At 1e-10 the angle is the double
      // -62831853081.5708, whose sine is worked out from that double.
      {"norm_sin", 1e-10, 0, 0.67152313609129488591, kNaN, kNaN, kNaN},
      {"norm_sin", 1.5, 0, 0.74999999967435464666, kNaN, kNaN, kNaN},
      {"norm_sin", 65536, 0, 2.2979561761852919142e-09, kNaN, kNaN, kNaN},
      // 1 - exp(1e10) overflows to -inf.
      {"norm_exp", 1e-10, 0, -kInf, kNaN, 1, -kInf},
      {"norm_exp", 1.5, 0, -0.94773404105467585664, kNaN, 1, -kInf},
      // sqrt(1e-10) = 1e-5, sqrt(65536) = 256 is whole; inf - trunc(inf) is NaN.
      {"norm_fuzz", 1e-10, 0, 1e-05, kNaN, kNaN, kNaN},
      {"norm_fuzz", 1.5, 0, 0.22474487139158904910, kNaN, kNaN, kNaN},
      {"norm_fuzz", 65536, 0, 0, kNaN, kNaN, kNaN},
      // 0 is caught before the division; n / inf is 0 (or -0), atan 0, so 1.
      {"norm_arctan", 1e-10, 0, 0.99999999993633802277, kNaN, 1, 1},
      {"norm_arctan", 1.5, 0, 0.37433408370369262521, kNaN, 1, 1},
      // A norm below 1e-9 is taken as 1: 1 / (-1 + 1) = inf, 1 / -inf = -0.
      {"norm_inverse", 1e-10, 1, kInf, kNaN, 0, -0.0},
      {"norm_inverse", 1.5, 1, 3, kNaN, 0, -0.0},
      {"norm_inverse", 65536, 1, 1.0000152590218966964, kNaN, 0, -0.0},
  };
  double const values[] = {0, -1, kNaN, kInf, -kInf};
  for (Case const& c : cases) {
    double const expected[] = {c.atZero, c.atMinusOne, c.atNaN, c.atInf, c.atMinusInf};
    for (std::size_t i = 0; i < std::size(values); ++i) {
      double const got = at(c.id, values[i], c.n);
      std::string const where = std::string(c.id) + " v=" + std::to_string(values[i]) + " n=" + std::to_string(c.n);
      if (std::isnan(expected[i])) {
        EXPECT_TRUE(std::isnan(got)) << where << " gave " << got;
      } else if (std::isinf(expected[i]) || expected[i] == 0) {
        EXPECT_EQ(got, expected[i]) << where;
        EXPECT_EQ(std::signbit(got), std::signbit(expected[i])) << where;
      } else {
        // Relative, or near 0 the rounding of 1 + sin(x) at the sine's minimum.
        EXPECT_NEAR(got, expected[i], std::max(1e-12 * std::fabs(expected[i]), 1e-15)) << where;
      }
    }
  }
  EXPECT_TRUE(std::isnan(at("norm_log", -3, 1.5)));
}

// The row and the plain function give the normalize answers bit for bit.
TEST_F(NormalizerTest, RowsAndPlainFunctionsMatchTheSingleSample) {
  std::vector<double> const values = {0,    -0.0, -1,   1,     2.25,  23,     70000, 1e300, -1e300,
                                      5e-324, kNaN, kInf, -kInf, 3e9, 127.5, -65535.9};
  auto same = [](double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
  };
  for (Normalizer const* normalizer : NormalizerController::getNormalizers()) {
    NormalizeFunction const function = normalizer->function();
    ASSERT_NE(function, nullptr) << normalizer->getIdentifier();
    for (double n : {1e-10, 0.5, 1.0, 1.5, 10.0, 256.0, 65536.0, 1e300, kNaN}) {
      std::vector<double> row(values.size());
      normalizer->normalizeRow(values.data(), row.data(), values.size(), n);
      std::vector<double> inPlace = values;
      normalizer->normalizeRow(inPlace.data(), inPlace.data(), inPlace.size(), n);
      for (std::size_t i = 0; i < values.size(); ++i) {
        double const single = normalizer->normalize(values[i], n);
        EXPECT_TRUE(same(row[i], single)) << normalizer->getIdentifier() << " v=" << values[i] << " n=" << n;
        EXPECT_TRUE(same(inPlace[i], single)) << normalizer->getIdentifier();
        EXPECT_TRUE(same(function(values[i], n), single)) << normalizer->getIdentifier();
      }
    }
  }
  // A normalizer that is not one of the nine rows through its own normalize.
  struct Halving final : Normalizer {
    Halving() : Normalizer("norm_test_halving") {}
    double normalize(double v, double) const override { return v / 2; }
  };
  Halving const halving;
  EXPECT_EQ(halving.function(), nullptr);
  double row[] = {1, -4, kInf};
  halving.normalizeRow(row, row, 3, 1);
  EXPECT_EQ(row[0], 0.5);
  EXPECT_EQ(row[1], -2);
  EXPECT_EQ(row[2], kInf);
  halving.normalizeRow(nullptr, nullptr, 0, 1);  // an empty row touches nothing
}

TEST_F(NormalizerTest, RegistryFallsBackToLinearAndListsTheMenuOrder) {
  auto const& linear = Normalizer::getNormalizerFromID("norm_lin");
  EXPECT_EQ(&Normalizer::getNormalizerFromID("no_such_normalizer"), &linear);
  EXPECT_EQ(Normalizer::getInstanceFromID("no_such_normalizer"), nullptr);
  // First-wins registration is the shared NamedInstances, pinned in OrbitAnalyzerTest.
  auto const& menu = normalizerIdentifiersInMenuOrder();
  std::vector<std::string> const expectedOrder = {"norm_arctan", "norm_exp",    "norm_lin",
                                                   "norm_log",    "norm_sqrt",   "norm_inverse",
                                                   "norm_sin",    "norm_modulo", "norm_fuzz"};
  EXPECT_EQ(menu, expectedOrder);
  std::vector<std::string> listed;
  for (Normalizer const* n : NormalizerController::getNormalizers()) listed.push_back(n->getIdentifier());
  EXPECT_EQ(listed, expectedOrder);
}

}  // namespace
}  // namespace orlenza
