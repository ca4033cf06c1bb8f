#pragma once
// The dwell-only rows of a polynomial biomorph on the vector lanes.

#include "core/engine/SimdPath.h"
#include "core/model/Coord2D.h"

namespace orlenza {

class BiomorphKernel;
class RowStop;

// values[i] is the dwell-only cell of points[i] (what the plain loop writes:
// NaN for a point that is not finite, 0 when the biomorph test collapses the
// orbit, else its points less one), for a kernel with isPolynomial(). False
// when the stop said stop (values then incomplete).
bool biomorphDwells(BiomorphKernel const& kernel, Coord2D const* points, double* values, int count,
                    RowStop const* stop, SimdPath path);

}  // namespace orlenza
