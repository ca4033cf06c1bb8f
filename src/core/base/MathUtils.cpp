#include "core/base/MathUtils.h"

#include <algorithm>
#include <cmath>

namespace orlenza::MathUtils {
namespace {

// The parity of a whole number held in a double: every double from 2^53 on is even.
bool isOdd(double wholeNumber) { return std::fmod(wholeNumber, 2.0) == 1.0; }

}  // namespace

double periodize(double x, double lo, double hi) {
  double const period = hi - lo;
  if (!(period > 0) || !std::isfinite(period) || !std::isfinite(x)) return x;
  double reflections = 0;
  double y = x;
  if (x > hi) {
    reflections = std::floor((x - hi) / period) + 1;
    y = x - reflections * period;
  } else if (x < lo) {
    reflections = std::floor((lo - x) / period) + 1;
    y = x + reflections * period;
  }
  double const folded = isOdd(reflections) ? hi - (y - lo) : y;
  // Far from the interval the products round; keep the promise of [lo, hi].
  return std::clamp(folded, lo, hi);
}

double periodize(double x) {
  if (!std::isfinite(x)) return x;
  double const a = std::fabs(x);
  double const whole = std::floor(a);
  double const fraction = a - whole;
  return isOdd(whole) ? 1 - fraction : fraction;
}

}  // namespace orlenza::MathUtils
