// The Halley lanes compiled for AVX2; called only when the processor has it.

#if defined(__x86_64__)
#define ORLENZA_LANES_TARGET __attribute__((target("avx2")))
#include "core/generators/Halley/HalleyLanes.h"

namespace orlenza {

bool halleyDwellsAvx2(HalleyIteration const& iteration, Coord2D const* points, double* values, int count,
                      RowStop const* stop);

ORLENZA_LANES_TARGET bool halleyDwellsAvx2(HalleyIteration const& iteration, Coord2D const* points, double* values,
                                           int count, RowStop const* stop) {
  return runLanes<lanes::Avx2, 2, HalleyMap>(iteration, points, values, count, stop);
}

}  // namespace orlenza
#endif
