#define ORLENZA_LANES_TARGET
#include "core/generators/Halley/HalleyDwells.h"

#include "core/generators/Halley/HalleyLanes.h"

namespace orlenza {

#if defined(__x86_64__)
bool halleyDwellsAvx2(HalleyIteration const& iteration, Coord2D const* points, double* values, int count,
                      RowStop const* stop);
#endif

bool halleyDwells(HalleyIteration const& iteration, Coord2D const* points, double* values, int count,
                  RowStop const* stop, SimdPath path) {
  if (path > bestSimdPath()) path = bestSimdPath();
  switch (path) {
#if defined(__x86_64__)
    case SimdPath::Avx2: return halleyDwellsAvx2(iteration, points, values, count, stop);
    case SimdPath::Sse2: return runLanes<lanes::Sse2, 2, HalleyMap>(iteration, points, values, count, stop);
#else
    case SimdPath::Avx2:
    case SimdPath::Sse2:
#endif
    case SimdPath::Scalar: break;
  }
  return runLanes<lanes::Scalar, 2, HalleyMap>(iteration, points, values, count, stop);
}

}  // namespace orlenza
