#include "core/generators/Grid/GridParameters.h"

#include <algorithm>
#include <cmath>
#include <istream>
#include <limits>
#include <ostream>

#include "core/base/MathUtils.h"
#include "core/base/TextIO.h"

namespace orlenza {

namespace {

constexpr double kEqualityTolerance = 1e-5;

void makeValid(DimensionParams& d) {
  d.spacing = std::max(std::fabs(d.spacing), 1e-5);
  d.lineWidth = std::fabs(d.lineWidth);
  d.falloff = std::clamp(std::fabs(d.falloff), 0.0, 1.0);
}

void write(std::ostream& os, DimensionParams const& d) {
  text::writeDouble(os, d.spacing);
  text::writeDouble(os, d.lineWidth);
  text::writeDouble(os, d.falloff);
  text::writeDouble(os, d.exponent);
}

void readDimension(std::istream& is, DimensionParams& d) {
  text::readDouble(is, d.spacing);
  text::readDouble(is, d.lineWidth);
  text::readDouble(is, d.falloff);
  text::readDouble(is, d.exponent);
}

DimensionParams mix(DimensionParams const& a, DimensionParams const& b, double t) {
  return {(1 - t) * a.spacing + t * b.spacing, (1 - t) * a.lineWidth + t * b.lineWidth,
          (1 - t) * a.falloff + t * b.falloff, (1 - t) * a.exponent + t * b.exponent};
}

bool near(double a, double b) { return std::fabs(a - b) < kEqualityTolerance; }

bool near(DimensionParams const& a, DimensionParams const& b) {
  return near(a.spacing, b.spacing) && near(a.lineWidth, b.lineWidth) && near(a.falloff, b.falloff) &&
         near(a.exponent, b.exponent);
}

// max(a, b) as the comparison a < b decides it, so a NaN in a stays.
double larger(double a, double b) { return a < b ? b : a; }

// Whether the cell index trunc(n) is odd. Taken in double, so a huge or
// non-finite index (a tiny spacing read from a file) needs no conversion;
// doubles beyond 2^53 are even, NaN counts as even.
bool isOdd(double n) { return std::fabs(std::fmod(std::trunc(n), 2.0)) == 1.0; }

double cellIndex(double q, double spacing) { return q >= 0 ? q / spacing : (1 - q) / spacing; }

}  // namespace

double DimensionParams::profile(double w) const {
  if (w <= lineWidth || w >= spacing - lineWidth) return 1;
  double const a = w <= falloff ? std::pow(1 - w / falloff, exponent) : 0.0;
  double const b = w >= spacing - falloff ? std::pow(1 - (spacing - w) / falloff, exponent) : 0.0;
  return larger(a, b);
}

void GridParameters::forceValid() {
  makeValid(yDim);
  makeValid(xDim);
}

double GridParameters::valueAt(Coord2D q) const {
  if (!std::isfinite(q.x) || !std::isfinite(q.y)) return std::numeric_limits<double>::quiet_NaN();
  double const u = MathUtils::periodize(q.x, 0, xDim.spacing);
  double const v = MathUtils::periodize(q.y, 0, yDim.spacing);
  double value = 0;
  switch (mode) {
    case kHorizontal:
      value = yDim.profile(v);
      break;
    case kVertical:
      value = xDim.profile(u);
      break;
    case kLarger:
      value = larger(yDim.profile(v), xDim.profile(u));
      break;
    case kMean:
      value = (yDim.profile(v) + xDim.profile(u)) * 0.5;
      break;
    case kDots: {
      // The dot takes its width, falloff and exponent from the y profile.
      double const rho = std::sqrt(u * u + v * v);
      if (rho <= yDim.lineWidth)
        value = 1;
      else if (rho <= yDim.falloff)
        value = std::pow(1 - rho / yDim.falloff, yDim.exponent);
      break;
    }
    default:
      break;
  }
  if (!checker) return value;
  // One axis of lines only: every cell along the other counts as cell 0.
  bool const xOdd = mode != kHorizontal && isOdd(cellIndex(q.x, xDim.spacing));
  bool const yOdd = mode != kVertical && isOdd(cellIndex(q.y, yDim.spacing));
  return xOdd == yOdd ? 1 : value;
}

void GridParameters::outputParameters(std::ostream& os) const {
  write(os, yDim);
  os << ' ';
  write(os, xDim);
  os << ' ';
  text::writeInt(os, mode);
}

void GridParameters::inputParameters(std::istream& is) {
  GridParameters parsed = *this;
  readDimension(is, parsed.yDim);
  readDimension(is, parsed.xDim);
  long long m = 0;
  text::readInt(is, m);
  if (!is) return;
  constexpr long long kLow = std::numeric_limits<int>::min();
  constexpr long long kHigh = std::numeric_limits<int>::max();
  parsed.mode = static_cast<int>(std::clamp(m, kLow, kHigh));
  *this = parsed;
}

void GridParameters::morph(GridParameters const& a, GridParameters const& b, double t) {
  yDim = mix(a.yDim, b.yDim, t);
  xDim = mix(a.xDim, b.xDim, t);
  bool const atEnd = std::fabs(t - 1) < 1e-10;
  mode = atEnd ? b.mode : a.mode;
  checker = atEnd ? b.checker : a.checker;
}

bool operator==(GridParameters const& a, GridParameters const& b) {
  return near(a.yDim, b.yDim) && near(a.xDim, b.xDim) && a.mode == b.mode && a.checker == b.checker;
}

}  // namespace orlenza
