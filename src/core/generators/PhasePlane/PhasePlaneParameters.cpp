#include "core/generators/PhasePlane/PhasePlaneParameters.h"

#include <algorithm>
#include <cmath>
#include <istream>
#include <ostream>

#include "core/base/TextIO.h"
#include "core/model/SnapshotParameters.h"

namespace orlenza {

namespace {

// trunc((1 - t) * a + t * b) in [lo, hi]; a when the mix is no number.
int morphCount(int a, int b, double t, int lo, int hi) {
  double const mixed = (1 - t) * a + t * b;
  if (std::isnan(mixed)) return std::clamp(a, lo, hi);
  return static_cast<int>(std::clamp(std::trunc(mixed), double(lo), double(hi)));
}

}  // namespace

PhasePlaneParameters::PhasePlaneParameters(std::size_t count) : parameters(count, 1.0) {}

int PhasePlaneParameters::clampGridDivisions(long long divisions) {
  return static_cast<int>(std::clamp<long long>(divisions, kMinGridDivisions, kMaxGridDivisions));
}

int PhasePlaneParameters::clampSteps(long long steps) {
  return static_cast<int>(std::clamp<long long>(steps, 0, kMaxSteps));
}

void PhasePlaneParameters::outputParameters(std::ostream& os) const {
  text::writeInt(os, gridDivisions);
  text::writeInt(os, numSteps);
  text::writeDouble(os, stepSize);
  for (double p : parameters) text::writeDouble(os, p);
}

void PhasePlaneParameters::inputParameters(std::istream& is) {
  long long divisions = 0, steps = 0;
  double step = 0;
  std::vector<double> read(parameters.size());
  text::readInt(is, divisions);
  text::readInt(is, steps);
  text::readDouble(is, step);
  for (double& p : read) text::readDouble(is, p);
  if (!is) return;
  gridDivisions = clampGridDivisions(divisions);
  numSteps = clampSteps(steps);
  stepSize = step;
  parameters = std::move(read);
}

void PhasePlaneParameters::morph(PhasePlaneParameters const& a, PhasePlaneParameters const& b, double t) {
  numSteps = morphCount(a.numSteps, b.numSteps, t, 0, kMaxSteps);
  gridDivisions = morphCount(a.gridDivisions, b.gridDivisions, t, kMinGridDivisions, kMaxGridDivisions);
  stepSize = (1 - t) * a.stepSize + t * b.stepSize;
  parameters = a.parameters;
  std::size_t const shared = std::min(a.parameters.size(), b.parameters.size());
  for (std::size_t i = 0; i < shared; ++i) parameters[i] = b.parameters[i] * t + a.parameters[i] * (1 - t);
}

bool operator==(PhasePlaneParameters const& a, PhasePlaneParameters const& b) {
  if (a.numSteps != b.numSteps || a.gridDivisions != b.gridDivisions) return false;
  if (!paramsAreEqual(a.stepSize, b.stepSize)) return false;
  if (a.parameters.size() != b.parameters.size()) return false;
  for (std::size_t i = 0; i < a.parameters.size(); ++i)
    if (!paramsAreEqual(a.parameters[i], b.parameters[i])) return false;
  return true;
}

}  // namespace orlenza
