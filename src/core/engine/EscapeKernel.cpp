#define ORLENZA_LANES_TARGET
#include "core/engine/EscapeLanes.h"

namespace orlenza {

#if defined(__x86_64__)
bool escapeDwellsAvx2(EscapeCoefficients const& c, Coord2D const* points, double* dwells, int count,
                      RowStop const* stop);
#endif

bool escapeDwells(EscapeCoefficients const& c, Coord2D const* points, double* dwells, int count,
                  RowStop const* stop, SimdPath path) {
  if (path > bestSimdPath()) path = bestSimdPath();
  switch (path) {
#if defined(__x86_64__)
    case SimdPath::Avx2: return escapeDwellsAvx2(c, points, dwells, count, stop);
    case SimdPath::Sse2: return runLanes<lanes::Sse2, 4, EscapeMap>(c, points, dwells, count, stop);
#else
    case SimdPath::Avx2:
    case SimdPath::Sse2:
#endif
    case SimdPath::Scalar: break;
  }
  return runLanes<lanes::Scalar, 4, EscapeMap>(c, points, dwells, count, stop);
}

}  // namespace orlenza
