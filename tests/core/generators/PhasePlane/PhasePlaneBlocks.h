#pragma once
// A phase-plane parameter block in one line, for the phase-plane tests.

#include <utility>
#include <vector>

#include "core/generators/PhasePlane/SnapshotPhasePlane.h"

namespace orlenza::phaseplane_test {

inline PhasePlaneParameters block(int divisions, int steps, double stepSize, std::vector<double> coefficients) {
  PhasePlaneParameters p;
  p.gridDivisions = divisions;
  p.numSteps = steps;
  p.stepSize = stepSize;
  p.parameters = std::move(coefficients);
  return p;
}

}  // namespace orlenza::phaseplane_test
