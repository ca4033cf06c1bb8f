#include "core/model/SnapshotParameters.h"

#include "core/base/TextIO.h"

#include <algorithm>
#include <cmath>
#include <istream>
#include <ostream>
#include <vector>

namespace orlenza {

bool paramsAreEqual(double a, double b) {
  // The exact test first: inf - inf is NaN, and a value must equal itself.
  return a == b || std::fabs(b - a) < 1e-10;
}

void SnapshotParameters::morph(SnapshotParameters const& a, SnapshotParameters const& b, double t) {
  unsigned const count = std::min({getNumParameters(), a.getNumParameters(), b.getNumParameters()});
  for (unsigned long i = 0; i < count; ++i) setParameter(i, a.getParameter(i) * (1 - t) + b.getParameter(i) * t);
}

void SnapshotParameters::outputParameters(std::ostream& os) const {
  for (unsigned long i = 0, n = getNumParameters(); i < n; ++i) text::writeDouble(os, getParameter(i));
}

void SnapshotParameters::inputParameters(std::istream& is) {
  unsigned const count = getNumParameters();
  std::vector<double> values(count, 0.0);
  for (auto& value : values) text::readDouble(is, value);
  if (!is) return;
  for (unsigned long i = 0; i < count; ++i) setParameter(i, values[i]);
}

bool operator==(SnapshotParameters const& a, SnapshotParameters const& b) {
  unsigned const count = a.getNumParameters();
  if (b.getNumParameters() != count) return false;
  for (unsigned long i = 0; i < count; ++i)
    if (!paramsAreEqual(a.getParameter(i), b.getParameter(i))) return false;
  return true;
}

}  // namespace orlenza
