#pragma once
// The polynomial biomorph as a lane kernel (see engine/LaneRunner.h): one
// source, compiled in BiomorphDwells.cpp and BiomorphDwellsAvx2.cpp. Each
// operation is that of BiomorphKernel's loop, in its order.

#include <cmath>
#include <limits>

#include "core/engine/LaneRunner.h"
#include "core/generators/Biomorph/BiomorphKernel.h"

namespace orlenza {
namespace {  // NOLINT: one copy per instruction set

template <class V>
struct BiomorphMap {
  using D = typename V::D;
  static constexpr int kFields = 4;  // z.re, z.im, c.re, c.im

  ORLENZA_LANES_TARGET explicit BiomorphMap(BiomorphKernel const& k) : kernel(&k) {
    for (int i = 0; i < 6; ++i) coefficient[i] = V::set1(k.coefficients()[static_cast<std::size_t>(i)]);
    zero = V::set1(0.0);
    escape = V::set1(BiomorphKernel::kEscapeSquared);
  }

  int maxSteps() const { return kernel->steps(); }

  bool startLane(Coord2D p, double* fields, double* value) const {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
      *value = std::numeric_limits<double>::quiet_NaN();
      return false;
    }
    ComplexDouble z, c;
    kernel->blend(p.x, p.y, z, c);
    fields[0] = z.re;
    fields[1] = z.im;
    fields[2] = c.re;
    fields[3] = c.im;
    return true;
  }

  ORLENZA_LANES_TARGET unsigned step(D* f) const {
    D const zr = f[0];
    D const zi = f[1];
    D pr = coefficient[5];
    D pi = zero;
    for (int i = 4; i >= 0; --i) {
      D const re = V::sub(V::mul(pr, zr), V::mul(pi, zi));
      D const im = V::add(V::mul(pr, zi), V::mul(pi, zr));
      pr = V::add(re, coefficient[i]);
      pi = im;
    }
    D const wr = V::add(f[2], V::sub(V::mul(zr, pr), V::mul(zi, pi)));
    D const wi = V::add(f[3], V::add(V::mul(zr, pi), V::mul(zi, pr)));
    f[0] = wr;
    f[1] = wi;
    return V::greater(V::add(V::mul(wr, wr), V::mul(wi, wi)), escape);
  }

  // An orbit of `steps` steps holds `steps` points whether it escaped or not.
  double finish(double const* fields, int steps, bool) const {
    if (kernel->biomorphTest() && BiomorphKernel::collapses({fields[0], fields[1]})) return 0.0;
    return static_cast<double>(steps - 1);
  }

  BiomorphKernel const* kernel;
  D coefficient[6];
  D zero;
  D escape;
};

}  // namespace
}  // namespace orlenza
