#include "core/base/RandomUtils.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace orlenza {
namespace {

// Constant-initialized: no start-up code, and usable before main.
constinit AdditiveFeedbackGenerator s_generator;

double unitFromDraw(std::uint32_t r) {
  return static_cast<double>(std::min(r, AdditiveFeedbackGenerator::k_max)) / 2147483647.0;
}

}  // namespace

namespace RandomUtils {

std::uint32_t randomize() {
  auto const seconds = static_cast<std::uint32_t>(static_cast<unsigned long long>(std::time(nullptr)));
  s_generator.seed(seconds);
  return seconds;
}

void seed(std::uint32_t s) { s_generator.seed(s); }

std::uint32_t random() { return s_generator.next(); }

double doubleFromDraw(std::uint32_t r, double a, double b) { return a + unitFromDraw(r) * (b - a); }

unsigned short intFromDraw(std::uint32_t r, unsigned short lo, unsigned short hi) {
  if (hi < lo) std::swap(lo, hi);
  int const span = hi - lo + 1;
  // u * span < span for every u < 1; only u == 1 reaches span and gives hi.
  double const k = std::floor(unitFromDraw(r) * span);
  int const step = k >= span ? span - 1 : static_cast<int>(k);
  return static_cast<unsigned short>(lo + step);
}

double logFromDraws(std::uint32_t first, std::uint32_t second, unsigned short lo, unsigned short hi) {
  double const u = unitFromDraw(first);
  int const exponent = intFromDraw(second, lo, hi);
  return u / std::pow(10.0, exponent);
}

double doubleRnd(double a, double b) { return doubleFromDraw(random(), a, b); }

unsigned short intRnd(unsigned short lo, unsigned short hi) { return intFromDraw(random(), lo, hi); }

double logRnd(unsigned short lo, unsigned short hi) {
  std::uint32_t const first = random();  // the mantissa is drawn before the exponent
  std::uint32_t const second = random();
  return logFromDraws(first, second, lo, hi);
}

}  // namespace RandomUtils
}  // namespace orlenza
