#pragma once
// A DynSys parameter block in one line, for the DynSys tests.

#include <utility>
#include <vector>

#include "core/generators/DynSys/SnapshotDynSys.h"

namespace orlenza::dynsys_test {

inline DynSysParameters block(int iterations, std::vector<double> parameters, int plotMode = 0) {
  DynSysParameters p;
  p.numIterations = iterations;
  p.parameters = std::move(parameters);
  p.plotMode = plotMode;
  return p;
}

}  // namespace orlenza::dynsys_test
