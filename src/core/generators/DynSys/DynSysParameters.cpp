#include "core/generators/DynSys/DynSysParameters.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <istream>
#include <ostream>

#include "core/base/TextIO.h"
#include "core/model/SnapshotParameters.h"

namespace orlenza {

DynSysParameters::DynSysParameters(std::size_t count) : parameters(count, 1.0) {}

int DynSysParameters::clampIterations(long long count) {
  return static_cast<int>(std::clamp<long long>(count, 0, kMaxIterations));
}

void DynSysParameters::outputParameters(std::ostream& os) const {
  text::writeInt(os, numIterations);
  for (double p : parameters) text::writeDouble(os, p);
  text::writeInt(os, plotMode);
}

void DynSysParameters::inputParameters(std::istream& is) {
  int count = 0;
  std::vector<double> read(parameters.size());
  int mode = 0;
  text::readInt(is, count);
  for (double& p : read) text::readDouble(is, p);
  text::readInt(is, mode);
  if (!is) return;
  numIterations = count;
  parameters = std::move(read);
  plotMode = mode;
}

void DynSysParameters::morph(DynSysParameters const& a, DynSysParameters const& b, double t) {
  // In double: the sum of two int counts and its product with t stay exact enough
  // and cannot overflow.
  double const count = (1 - t) * a.numIterations + t * b.numIterations;
  numIterations = std::isnan(count) ? a.numIterations
                                    : static_cast<int>(std::clamp(std::trunc(count), double(INT_MIN), double(INT_MAX)));
  parameters = a.parameters;
  std::size_t const shared = std::min(a.parameters.size(), b.parameters.size());
  for (std::size_t i = 0; i < shared; ++i) parameters[i] = (1 - t) * a.parameters[i] + t * b.parameters[i];
  plotMode = kHitCount;
}

bool operator==(DynSysParameters const& a, DynSysParameters const& b) {
  if (a.numIterations != b.numIterations || a.plotMode != b.plotMode) return false;
  if (a.parameters.size() != b.parameters.size()) return false;
  for (std::size_t i = 0; i < a.parameters.size(); ++i)
    if (!paramsAreEqual(a.parameters[i], b.parameters[i])) return false;
  return true;
}

}  // namespace orlenza
