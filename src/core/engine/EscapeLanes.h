#pragma once
// The escape-time map as a lane kernel (see LaneRunner.h): the same source for
// every instruction set, compiled in EscapeKernel.cpp and EscapeKernelAvx2.cpp.

#include <cmath>
#include <limits>

#include "core/engine/EscapeKernel.h"
#include "core/engine/LaneRunner.h"

namespace orlenza {
namespace {  // NOLINT: one copy per instruction set

template <class V>
struct EscapeMap {
  using D = typename V::D;
  static constexpr int kFields = 2;  // x, y

  ORLENZA_LANES_TARGET explicit EscapeMap(EscapeCoefficients const& c) {
    for (int i = 0; i < 12; ++i) k[i] = V::set1(c[static_cast<std::size_t>(i)]);
    bailout = V::set1(kEscapeBailoutSquared);
  }

  int maxSteps() const { return kEscapeMaxIterations; }

  bool startLane(Coord2D p, double* fields, double* value) const {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
      *value = std::numeric_limits<double>::quiet_NaN();
      return false;
    }
    fields[0] = p.x;
    fields[1] = p.y;
    return true;
  }

  // The grouping of escapeDwell, operation for operation.
  ORLENZA_LANES_TARGET unsigned step(D* f) const {
    D const x = f[0];
    D const y = f[1];
    D const nx = V::add(V::add(V::mul(V::add(V::add(V::mul(x, k[2]), k[1]), V::mul(y, k[3])), x), k[0]),
                        V::mul(V::add(V::mul(y, k[5]), k[4]), y));
    D const ny = V::add(V::add(V::mul(V::add(V::add(V::mul(x, k[8]), k[7]), V::mul(y, k[9])), x), k[6]),
                        V::mul(V::add(V::mul(y, k[11]), k[10]), y));
    f[0] = nx;
    f[1] = ny;
    return V::greater(V::add(V::mul(nx, nx), V::mul(ny, ny)), bailout);
  }

  double finish(double const*, int steps, bool) const { return steps; }

  D k[12];
  D bailout;
};

}  // namespace
}  // namespace orlenza
