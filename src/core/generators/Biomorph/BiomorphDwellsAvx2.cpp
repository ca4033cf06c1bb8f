// The biomorph lanes compiled for AVX2; called only when the processor has it.

#if defined(__x86_64__)
#define ORLENZA_LANES_TARGET __attribute__((target("avx2")))
#include "core/generators/Biomorph/BiomorphLanes.h"

namespace orlenza {

bool biomorphDwellsAvx2(BiomorphKernel const& kernel, Coord2D const* points, double* values, int count,
                        RowStop const* stop);

ORLENZA_LANES_TARGET bool biomorphDwellsAvx2(BiomorphKernel const& kernel, Coord2D const* points, double* values,
                                             int count, RowStop const* stop) {
  return runLanes<lanes::Avx2, 3, BiomorphMap>(kernel, points, values, count, stop);
}

}  // namespace orlenza
#endif
