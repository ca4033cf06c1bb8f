#pragma once
// The dwell-only rows of the Halley generator on the vector lanes.

#include "core/engine/SimdPath.h"
#include "core/model/Coord2D.h"

namespace orlenza {

class HalleyIteration;
class RowStop;

// values[i] = iteration.iterate(points[i], nullptr), NaN for a point that is
// not finite, on the given path. False when the stop said stop (values then
// incomplete).
bool halleyDwells(HalleyIteration const& iteration, Coord2D const* points, double* values, int count,
                  RowStop const* stop, SimdPath path);

}  // namespace orlenza
