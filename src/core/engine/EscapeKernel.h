#pragma once
// The escape-time kernel: a pure function of the twelve coefficients of a
// quadratic map and a row of plane points. The pixel loop runs it on the
// widest vector unit the processor has; the numbers are those of the plain
// loop bit for bit.

#include <array>

#include "core/engine/SimdPath.h"
#include "core/model/Coord2D.h"

namespace orlenza {

class RowStop;

// a0 ... a5 of x', then b0 ... b5 of y':
// x' = (x a2 + a1 + y a3) x + a0 + (y a5 + a4) y, y' likewise with the b.
using EscapeCoefficients = std::array<double, 12>;

inline constexpr int kEscapeMaxIterations = 1024;
inline constexpr double kEscapeBailoutSquared = 1000000.0;  // radius 1000

// The plain reference: the step at which (x, y) left the disc of radius 1000,
// or 1024 when it stayed. The grouping of the map is fixed; other groupings
// round differently and change pictures.
inline int escapeDwell(EscapeCoefficients const& c, double x, double y) {
  for (int n = 1; n <= kEscapeMaxIterations; ++n) {
    double const nx = (x * c[2] + c[1] + y * c[3]) * x + c[0] + (y * c[5] + c[4]) * y;
    double const ny = (x * c[8] + c[7] + y * c[9]) * x + c[6] + (y * c[11] + c[10]) * y;
    if (nx * nx + ny * ny > kEscapeBailoutSquared) return n;
    x = nx;
    y = ny;
  }
  return kEscapeMaxIterations;
}

// dwells[i] = escapeDwell(c, points[i]) for i < count, NaN where a coordinate
// of the point is not finite, on the given path. With a stop, it is asked
// every few hundred thousand map steps; the answer is false (and dwells
// incomplete) when it said stop.
bool escapeDwells(EscapeCoefficients const& c, Coord2D const* points, double* dwells, int count,
                  RowStop const* stop, SimdPath path);
inline bool escapeDwells(EscapeCoefficients const& c, Coord2D const* points, double* dwells, int count,
                         RowStop const* stop = nullptr) {
  return escapeDwells(c, points, dwells, count, stop, simdPath());
}

}  // namespace orlenza
