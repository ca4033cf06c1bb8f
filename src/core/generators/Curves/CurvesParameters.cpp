#include "core/generators/Curves/CurvesParameters.h"

#include <algorithm>
#include <cmath>
#include <istream>
#include <limits>
#include <ostream>

#include "core/base/TextIO.h"

namespace orlenza {

namespace {

using P = CurvesParameters;

void write(std::ostream& os, int combination, P::CoordParams const& coords) {
  text::writeInt(os, combination);
  for (auto const& term : coords.terms) {
    text::writeInt(os, term.frequency);
    text::writeDouble(os, term.phase);
  }
  os << ' ';
}

template <class Int>
Int pinned(long long value) {
  return static_cast<Int>(std::clamp<long long>(value, std::numeric_limits<Int>::min(), std::numeric_limits<Int>::max()));
}

void readCoord(std::istream& is, int& combination, P::CoordParams& coords) {
  long long value = 0;
  text::readInt(is, value);
  combination = pinned<int>(value);
  for (auto& term : coords.terms) {
    value = 0;
    text::readInt(is, value);
    term.frequency = pinned<int>(value);
    text::readDouble(is, term.phase);
  }
}

// (1 - t) a + t b truncated toward zero into [lo, hi]; NaN (from a NaN t) gives a.
template <class Int>
Int mixTruncated(Int a, Int b, double t) {
  double const mixed = (1 - t) * static_cast<double>(a) + t * static_cast<double>(b);
  if (std::isnan(mixed)) return a;
  double const lo = static_cast<double>(std::numeric_limits<Int>::min());
  double const hi = static_cast<double>(std::numeric_limits<Int>::max());
  return static_cast<Int>(std::trunc(std::clamp(mixed, lo, hi)));
}

void morphCoord(P::CoordParams& out, P::CoordParams const& a, P::CoordParams const& b, double t) {
  for (std::size_t i = 0; i < out.terms.size(); ++i) {
    out.terms[i].frequency = mixTruncated(a.terms[i].frequency, b.terms[i].frequency, t);
    out.terms[i].phase = (1 - t) * a.terms[i].phase + t * b.terms[i].phase;
  }
}

bool equalCoords(P::CoordParams const& a, P::CoordParams const& b) {
  for (std::size_t i = 0; i < a.terms.size(); ++i) {
    if (a.terms[i].frequency != b.terms[i].frequency) return false;
    if (!(std::fabs(a.terms[i].phase - b.terms[i].phase) < 1e-5)) return false;
  }
  return true;
}

}  // namespace

double CurvesParameters::getMaxValue(int combination) {
  switch (combination) {
    case kSum12:
    case kSum23TimesS1:
    case kProduct12PlusS3:
      return 2;
    case kSum123:
      return 3;
    default:
      return 1;
  }
}

double CurvesParameters::combine(int combination, double s1, double s2, double s3) {
  switch (combination) {
    case kSum12:
      return s1 + s2;
    case kProduct12:
      return s1 * s2;
    case kSum123:
      return s1 + s2 + s3;
    case kProduct123:
      return s1 * s2 * s3;
    case kSum23TimesS1:
      return (s2 + s3) * s1;
    case kProduct12PlusS3:
      return s1 * s2 + s3;
    default:
      return s1;
  }
}

void CurvesParameters::outputParameters(std::ostream& os) const {
  text::writeInt(os, numPoints);
  text::writeBool(os, connect);
  write(os, xCombination, xCoords);
  write(os, yCombination, yCoords);
}

void CurvesParameters::inputParameters(std::istream& is) {
  CurvesParameters parsed = *this;
  long long points = 0;
  text::readInt(is, points);
  text::readBool(is, parsed.connect);
  readCoord(is, parsed.xCombination, parsed.xCoords);
  readCoord(is, parsed.yCombination, parsed.yCoords);
  if (!is) return;
  parsed.numPoints = pinned<unsigned>(points);
  *this = parsed;
}

void CurvesParameters::morph(CurvesParameters const& a, CurvesParameters const& b, double t) {
  numPoints = mixTruncated(a.numPoints, b.numPoints, t);
  bool const atEnd = t >= 1;
  connect = atEnd ? b.connect : a.connect;
  xCombination = atEnd ? b.xCombination : a.xCombination;
  yCombination = atEnd ? b.yCombination : a.yCombination;
  morphCoord(xCoords, a.xCoords, b.xCoords, t);
  morphCoord(yCoords, a.yCoords, b.yCoords, t);
}

bool operator==(CurvesParameters const& a, CurvesParameters const& b) {
  return a.numPoints == b.numPoints && a.connect == b.connect && a.xCombination == b.xCombination &&
         a.yCombination == b.yCombination && equalCoords(a.xCoords, b.xCoords) && equalCoords(a.yCoords, b.yCoords);
}

}  // namespace orlenza
