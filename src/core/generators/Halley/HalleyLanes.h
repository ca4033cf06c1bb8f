#pragma once
// Halley's method as a lane kernel (see engine/LaneRunner.h): one source,
// compiled in HalleyDwells.cpp and HalleyDwellsAvx2.cpp. Each operation is
// that of HalleyIteration::step, in its order.

#include <cmath>
#include <limits>

#include "core/engine/LaneRunner.h"
#include "core/generators/Halley/HalleyIteration.h"

namespace orlenza {
namespace {  // NOLINT: one copy per instruction set

template <class V>
struct HalleyMap {
  using D = typename V::D;
  static constexpr int kFields = 2;  // z.re, z.im

  ORLENZA_LANES_TARGET explicit HalleyMap(HalleyIteration const& h) : test(h.test()) {
    for (int k = 0; k < 13; ++k) p[k] = V::set1(h.polynomial()[static_cast<std::size_t>(k)]);
    for (int k = 0; k < 12; ++k) first[k] = V::set1(h.firstDerivative()[static_cast<std::size_t>(k)]);
    for (int k = 0; k < 11; ++k) second[k] = V::set1(h.secondDerivative()[static_cast<std::size_t>(k)]);
    lambda = V::set1(h.lambda());
    zero = V::set1(0.0);
    one = V::set1(1.0);
    half = V::set1(0.5);
    threshold = V::set1(HalleyIteration::kThreshold);
  }

  // A step that converges keeps the iterates before it; after 31 kept, the
  // 32nd step ends the orbit whatever it gives.
  int maxSteps() const { return HalleyIteration::kMaxSteps + 1; }

  bool startLane(Coord2D q, double* fields, double* value) const {
    if (!std::isfinite(q.x) || !std::isfinite(q.y)) {
      *value = std::numeric_limits<double>::quiet_NaN();
      return false;
    }
    fields[0] = q.x;
    fields[1] = q.y;
    return true;
  }

  ORLENZA_LANES_TARGET static void multiply(D ar, D ai, D br, D bi, D& re, D& im) {
    re = V::sub(V::mul(ar, br), V::mul(ai, bi));
    im = V::add(V::mul(ar, bi), V::mul(ai, br));
  }

  // HalleyIteration::divide: 0 where the divisor's squared modulus is exactly 0.
  ORLENZA_LANES_TARGET static void divide(D ar, D ai, D br, D bi, D& re, D& im) {
    D const d = V::add(V::mul(br, br), V::mul(bi, bi));
    re = V::zeroWhereZero(d, V::div(V::add(V::mul(ar, br), V::mul(ai, bi)), d));
    im = V::zeroWhereZero(d, V::div(V::sub(V::mul(ai, br), V::mul(ar, bi)), d));
  }

  ORLENZA_LANES_TARGET unsigned step(D* f) const {
    D const zr = f[0];
    D const zi = f[1];
    D powRe[13], powIm[13];
    powRe[0] = one;
    powIm[0] = zero;
    for (int k = 1; k < 13; ++k) multiply(powRe[k - 1], powIm[k - 1], zr, zi, powRe[k], powIm[k]);
    D pr = zero, pi = zero, fr = zero, fi = zero, sr = zero, si = zero;
    for (int k = 0; k < 13; ++k) {
      pr = V::add(pr, V::mul(p[k], powRe[k]));
      pi = V::add(pi, V::mul(p[k], powIm[k]));
    }
    for (int k = 0; k < 12; ++k) {
      fr = V::add(fr, V::mul(first[k], powRe[k]));
      fi = V::add(fi, V::mul(first[k], powIm[k]));
    }
    for (int k = 0; k < 11; ++k) {
      sr = V::add(sr, V::mul(second[k], powRe[k]));
      si = V::add(si, V::mul(second[k], powIm[k]));
    }
    D mr, mi, qr, qi, tr, ti;
    multiply(pr, pi, sr, si, mr, mi);
    divide(mr, mi, fr, fi, qr, qi);
    qr = V::mul(qr, half);
    qi = V::mul(qi, half);
    divide(pr, pi, V::sub(fr, qr), V::sub(fi, qi), tr, ti);
    D const nr = V::sub(zr, V::mul(lambda, tr));
    D const ni = V::sub(zi, V::mul(lambda, ti));
    f[0] = nr;
    f[1] = ni;
    return converged(zr, zi, nr, ni);
  }

  // HalleyIteration::converged as a mask; x < threshold is threshold > x, false for NaN.
  ORLENZA_LANES_TARGET unsigned converged(D zr, D zi, D nr, D ni) const {
    D const dx = V::sub(nr, zr);
    D const dy = V::sub(ni, zi);
    switch (test) {
      case 1: {
        D const change = V::sub(V::add(V::mul(nr, nr), V::mul(ni, ni)), V::add(V::mul(zr, zr), V::mul(zi, zi)));
        // |change| < t: both change < t and -change < t.
        return V::greater(threshold, change) & V::greater(threshold, V::sub(zero, change));
      }
      case 2:
        return V::greater(threshold, V::mul(dx, dx)) | V::greater(threshold, V::mul(dy, dy));
      default:
        return V::greater(threshold, V::add(V::mul(dx, dx), V::mul(dy, dy)));
    }
  }

  double finish(double const*, int steps, bool) const { return steps - 1; }

  int test;
  D p[13], first[12], second[11];
  D lambda, zero, one, half, threshold;
};

}  // namespace
}  // namespace orlenza
