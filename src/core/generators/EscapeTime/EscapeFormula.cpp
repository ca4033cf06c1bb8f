#include "core/generators/EscapeTime/EscapeFormula.h"

#include <cmath>

namespace orlenza::EscapeFormula {

double valueOfLetter(int k) { return k * 0.1 - 1.2; }

std::optional<char> letterOfValue(double coefficient) {
  double const x = (coefficient + 1.2) * 10;
  double const r = std::round(x);  // halves away from zero
  // Written so that NaN fails every test and never reaches the conversion.
  if (!(r >= 0 && r <= 25 && std::fabs(x - r) <= 1e-9)) return std::nullopt;
  return static_cast<char>('A' + static_cast<int>(r));
}

std::string formulaFromCoefficients(std::array<double, kLength> const& coefficients) {
  std::string word;
  for (double c : coefficients) {
    auto const letter = letterOfValue(c);
    if (!letter) return {};
    word += *letter;
  }
  return word;
}

std::optional<std::string> correctFormula(std::string_view typed) {
  std::string word;
  bool previousWasMultiByte = false;
  for (char c : typed) {
    auto const byte = static_cast<unsigned char>(c);
    bool const continuation = byte >= 0x80 && byte < 0xC0;
    if (continuation && previousWasMultiByte) continue;  // rest of a character already counted
    if (word.size() == kLength) break;
    previousWasMultiByte = byte >= 0x80;
    char letter = 'Y';
    if (byte < 0x80) {
      letter = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
      if (letter < 'A') letter = 'A';
      if (letter > 'Y') letter = 'Y';
    }
    word += letter;
  }
  if (word.size() < kLength) return std::nullopt;
  return word;
}

std::array<double, kLength> coefficientsFromFormula(std::string_view corrected) {
  std::array<double, kLength> coefficients{};
  for (std::size_t i = 0; i < kLength && i < corrected.size(); ++i) coefficients[i] = valueOfLetter(corrected[i] - 'A');
  return coefficients;
}

}  // namespace orlenza::EscapeFormula
