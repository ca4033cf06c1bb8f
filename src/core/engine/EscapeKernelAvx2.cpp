// The escape-time lanes compiled for AVX2; called only when the processor has it.

#if defined(__x86_64__)
#define ORLENZA_LANES_TARGET __attribute__((target("avx2")))
#include "core/engine/EscapeLanes.h"

namespace orlenza {

bool escapeDwellsAvx2(EscapeCoefficients const& c, Coord2D const* points, double* dwells, int count,
                      RowStop const* stop);

ORLENZA_LANES_TARGET bool escapeDwellsAvx2(EscapeCoefficients const& c, Coord2D const* points, double* dwells,
                                           int count, RowStop const* stop) {
  return runLanes<lanes::Avx2, 3, EscapeMap>(c, points, dwells, count, stop);
}

}  // namespace orlenza
#endif
