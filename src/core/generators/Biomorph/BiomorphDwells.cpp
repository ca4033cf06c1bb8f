#define ORLENZA_LANES_TARGET
#include "core/generators/Biomorph/BiomorphDwells.h"

#include "core/generators/Biomorph/BiomorphLanes.h"

namespace orlenza {

#if defined(__x86_64__)
bool biomorphDwellsAvx2(BiomorphKernel const& kernel, Coord2D const* points, double* values, int count,
                        RowStop const* stop);
#endif

bool biomorphDwells(BiomorphKernel const& kernel, Coord2D const* points, double* values, int count,
                    RowStop const* stop, SimdPath path) {
  if (path > bestSimdPath()) path = bestSimdPath();
  switch (path) {
#if defined(__x86_64__)
    case SimdPath::Avx2: return biomorphDwellsAvx2(kernel, points, values, count, stop);
    case SimdPath::Sse2: return runLanes<lanes::Sse2, 3, BiomorphMap>(kernel, points, values, count, stop);
#else
    case SimdPath::Avx2:
    case SimdPath::Sse2:
#endif
    case SimdPath::Scalar: break;
  }
  return runLanes<lanes::Scalar, 3, BiomorphMap>(kernel, points, values, count, stop);
}

}  // namespace orlenza
