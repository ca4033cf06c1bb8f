#pragma once
// The escape-time formula: a word of twelve letters, one per coefficient, that
// names coefficients on a grid of step 0.1 ("A" is -1.2, "M" about 0, "Y" 1.2,
// "Z" 1.3). The two directions are not symmetric: "Z" is written for 1.3 but
// read back as "Y".

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orlenza::EscapeFormula {

inline constexpr std::size_t kLength = 12;

// The value of letter index k (0 for "A"): k * 0.1 - 1.2, in this order.
double valueOfLetter(int k);

// The letter of one coefficient, or none when it is off the 0.1 grid (more
// than 1e-9 away after scaling), outside -1.2 ... 1.3, or not a number.
std::optional<char> letterOfValue(double coefficient);

// The word of twelve coefficients, or the empty text when any is off the grid.
std::string formulaFromCoefficients(std::array<double, kLength> const& coefficients);

// The first twelve characters of typed text in upper case, each forced into
// "A" ... "Y" (a non-ASCII character counts as one character above "Y"); none
// when fewer than twelve characters were typed.
std::optional<std::string> correctFormula(std::string_view typed);

// The coefficients of a corrected formula (twelve letters "A" ... "Y").
std::array<double, kLength> coefficientsFromFormula(std::string_view corrected);

}  // namespace orlenza::EscapeFormula
