#include "core/engine/Normalizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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
  EXPECT_DOUBLE_EQ(at("norm_exp", 0, 256), 0.0);
  EXPECT_DOUBLE_EQ(at("norm_inverse", 256, 256), 0.5);
  EXPECT_NEAR(at("norm_sin", 0, 256), 0.0, 1e-12);
  EXPECT_NEAR(at("norm_sin", 128, 256), 1.0, 1e-12);
  EXPECT_DOUBLE_EQ(at("norm_fuzz", 2.25, 1), 0.5);
  EXPECT_DOUBLE_EQ(at("norm_fuzz", 4, 1), 0.0);
  EXPECT_EQ(at("norm_arctan", 0, 7), 0.0);
  EXPECT_GT(at("norm_arctan", 1e12, 1), 0.999999);
  EXPECT_DOUBLE_EQ(at("norm_inverse", 1, 5e-10), 0.5);  // behaves as with norm 1
}

TEST_F(NormalizerTest, ModuloRepeatsEveryTruncatedNorm) {
  EXPECT_DOUBLE_EQ(at("norm_modulo", 23, 10), 3.0 / 9.0);
  EXPECT_DOUBLE_EQ(at("norm_modulo", 9, 10), 1.0);
  EXPECT_DOUBLE_EQ(at("norm_modulo", -23, 10), -3.0 / 9.0);  // sign of the dividend
  EXPECT_EQ(at("norm_modulo", 123, 1), 1.0);
  EXPECT_EQ(at("norm_modulo", 123, -4), 1.0);
  EXPECT_EQ(at("norm_modulo", 123, 1.5), 0.0);
  // 70000 is 4464 in its low 16 bits.
  EXPECT_DOUBLE_EQ(at("norm_modulo", 70000, 1000), 464.0 / 999.0);
}

TEST_F(NormalizerTest, ModuloNeverDividesByZeroNorConvertsOutOfRange) {
  // A norm of 65536 has a 16-bit modulus of 0.
  EXPECT_EQ(at("norm_modulo", 5, 65536), 0.0);
  EXPECT_EQ(at("norm_modulo", 5, 131072.5), 0.0);
  EXPECT_EQ(at("norm_modulo", kNaN, 10), 0.0);
  EXPECT_EQ(at("norm_modulo", kInf, 10), 0.0);
  EXPECT_EQ(at("norm_modulo", -kInf, 10), 0.0);
  EXPECT_EQ(at("norm_modulo", 3e9, 10), 0.0);
  EXPECT_EQ(at("norm_modulo", 5, 1e300), 0.0);
  EXPECT_EQ(at("norm_modulo", 5, kNaN), 1.0);  // not above 1
}

TEST_F(NormalizerTest, OddValuesAtEveryNormGiveNoSurprises) {
  // Each normalizer on the values that could break, with the answer worked out by hand.
  struct Case {
    char const* id;
    double v, n, expected;
  };
  Case const cases[] = {
      {"norm_lin", -1, 1.5, -1 / 1.5},
      {"norm_lin", 0, 1e-10, 0},
      {"norm_lin", kInf, 65536, kInf},
      {"norm_log", -1, 1.5, std::log(1 - 1 / 1.5) / std::log(2.0)},
      {"norm_log", 0, 65536, 0},
      {"norm_sqrt", 0, 1e-10, 0},
      {"norm_exp", kInf, 1.5, 1},
      {"norm_exp", -kInf, 1.5, -kInf},
      {"norm_fuzz", -1, 1.5, std::sqrt(1.5) - 1},
      {"norm_arctan", -1, 1.5, 1 - 2 * std::atan(1.5) / 3.141592654},
      {"norm_arctan", kInf, 65536, 1},
      {"norm_inverse", -1, 1e-10, 1 / (-1.0 + 1)},
      {"norm_inverse", kInf, 1.5, 0},
  };
  for (auto const& c : cases) EXPECT_DOUBLE_EQ(at(c.id, c.v, c.n), c.expected) << c.id << " " << c.v << " " << c.n;

  char const* all[] = {"norm_lin", "norm_modulo", "norm_log", "norm_sqrt", "norm_sin",
                       "norm_exp", "norm_fuzz",   "norm_arctan", "norm_inverse"};
  for (char const* id : all) {
    if (std::string(id) == "norm_modulo" || std::string(id) == "norm_arctan") continue;
    EXPECT_TRUE(std::isnan(at(id, kNaN, 1.5))) << id;  // NaN passes through to the clamp
  }
  EXPECT_TRUE(std::isnan(at("norm_sqrt", -1, 1.5)));
  EXPECT_TRUE(std::isnan(at("norm_log", -3, 1.5)));
}

TEST_F(NormalizerTest, RegistryKeepsTheFirstAndFallsBackToLinear) {
  auto const& linear = Normalizer::getNormalizerFromID("norm_lin");
  EXPECT_EQ(&Normalizer::getNormalizerFromID("no_such_normalizer"), &linear);
  EXPECT_EQ(Normalizer::getInstanceFromID("no_such_normalizer"), nullptr);

  struct Impostor final : Normalizer {
    Impostor() : Normalizer("norm_log") {}
    double normalize(double, double) const override { return 42; }
  };
  {
    Impostor impostor;
    EXPECT_NE(&Normalizer::getNormalizerFromID("norm_log"), &impostor);
  }
  // The impostor's end does not remove the registered one.
  EXPECT_DOUBLE_EQ(at("norm_log", 256, 256), 1.0);

  auto const& menu = normalizerIdentifiersInMenuOrder();
  ASSERT_EQ(menu.size(), 9u);
  for (auto const& id : menu) EXPECT_NE(Normalizer::getInstanceFromID(id), nullptr) << id;
  EXPECT_EQ(menu.front(), "norm_arctan");
  EXPECT_EQ(menu.back(), "norm_fuzz");
}

}  // namespace
}  // namespace orlenza
