#include "core/generators/EscapeTime/EscapeFormula.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orlenza {
namespace {

using namespace EscapeFormula;

std::array<double, kLength> filled(double value) {
  std::array<double, kLength> c{};
  c.fill(value);
  return c;
}

TEST(EscapeFormula, CoefficientsToWord) {
  EXPECT_EQ(formulaFromCoefficients(filled(-1.2)), "AAAAAAAAAAAA");
  EXPECT_EQ(formulaFromCoefficients(filled(0.0)), "MMMMMMMMMMMM");
  EXPECT_EQ(formulaFromCoefficients(filled(1.3)), "ZZZZZZZZZZZZ");
  // The default coefficients, letter by letter: (c + 1.2) * 10 = 0 0 9 20 7 6 4 17 15 14 2 0.
  EXPECT_EQ(formulaFromCoefficients({-1.2, -1.2, -0.3, 0.8, -0.5, -0.6, -0.8, 0.5, 0.3, 0.2, -1.0, -1.2}),
            "AAJUHGERPOCA");

  double const nan = std::numeric_limits<double>::quiet_NaN();
  double const inf = std::numeric_limits<double>::infinity();
  struct Case {
    double value;
    char const* expected;  // the word with this value in place 5, the rest "A"
  } const cases[] = {
      {-1.25, ""},                 // halfway below "A": rounds away to -1, off the range
      {1.3, "AAAAAZAAAAAA"},       // "Z" is written
      {1.35, ""},                  // 25.5 rounds to 26
      {0.1 + 5e-11, "AAAAANAAAAAA"},  // 5e-10 off after scaling: still on the grid
      {0.1 + 2e-10, ""},              // 2e-9 off: not
      {-1.2 - 5e-11, "AAAAAAAAAAAA"}, // a hair below "A" still rounds to 0
      {nan, ""},
      {inf, ""},
      {-inf, ""},
      {1e300, ""},
      {-0.0, "AAAAAMAAAAAA"},
      {4.9e-324, "AAAAAMAAAAAA"},
  };
  for (auto const& c : cases) {
    auto coefficients = filled(-1.2);
    coefficients[5] = c.value;
    EXPECT_EQ(formulaFromCoefficients(coefficients), c.expected) << c.value;
  }
}

TEST(EscapeFormula, TypedTextToCorrectedWord) {
  struct Case {
    char const* typed;
    char const* expected;  // nullptr: too short, nothing happens
  } const cases[] = {
      {"abcdefghijkl", "ABCDEFGHIJKL"},
      {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKL"},  // only twelve are read
      {"ZZZZZZZZZZZZ", "YYYYYYYYYYYY"},      // "Z" is read as "Y"
      {"0123456789 !", "AAAAAAAAAAAA"},      // below "A"
      {"[\\]^_`{|}~\x7f[", "YYYYYYYYYYYY"},  // above "Y"
      {"abcdefghijk", nullptr},
      {"", nullptr},
      // Twelve characters of two bytes each are twelve characters.
      {"\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9",
       "YYYYYYYYYYYY"},
      // Eleven of them are too few, whatever their bytes count.
      {"\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9", nullptr},
      {"\xe2\x82\xac" "abcdefghijk", "YABCDEFGHIJK"},
  };
  for (auto const& c : cases) {
    auto const corrected = correctFormula(c.typed);
    if (c.expected == nullptr) {
      EXPECT_FALSE(corrected.has_value()) << c.typed;
    } else {
      ASSERT_TRUE(corrected.has_value()) << c.typed;
      EXPECT_EQ(*corrected, c.expected) << c.typed;
    }
  }
  // Embedded NUL characters count and become "A".
  EXPECT_EQ(correctFormula(std::string_view("ab\0defghijkl", 12)), "ABADEFGHIJKL");
}

TEST(EscapeFormula, WordToCoefficients) {
  auto const c = coefficientsFromFormula("ABCDEFGHIJKL");
  for (std::size_t i = 0; i < kLength; ++i) EXPECT_NEAR(c[i], -1.2 + 0.1 * static_cast<double>(i), 1e-15) << i;
  EXPECT_EQ(c[0], -1.2);  // 0 * 0.1 - 1.2 is exact

  auto const m = coefficientsFromFormula("MMMMMMMMMMMM");
  for (double v : m) EXPECT_LT(std::fabs(v), 1e-15);
  auto const y = coefficientsFromFormula("YYYYYYYYYYYY");
  for (double v : y) EXPECT_NEAR(v, 1.2, 1e-15);

  // Each letter read back writes the same letter.
  for (int k = 0; k < 26; ++k) EXPECT_EQ(letterOfValue(valueOfLetter(k)), static_cast<char>('A' + k)) << k;
}

}  // namespace
}  // namespace orlenza
