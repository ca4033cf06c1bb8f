#pragma once
// The kernel of the Halley generator: Halley's root-finding step for a real
// polynomial of degree at most 12, iterated from one starting point until a
// stopping test holds or 31 steps are done. Plain complex arithmetic written
// out, so every machine takes the same roundings.

#include <array>

#include "core/engine/Orbit.h"
#include "core/generators/Halley/HalleyParameters.h"

namespace orlenza {

class HalleyIteration {
 public:
  static constexpr int kMaxSteps = 31;  // the orbit holds the start and at most 31 iterates
  static constexpr double kThreshold = 1e-4;

  // Takes the polynomial and forms the coefficients of p' and p'' once.
  explicit HalleyIteration(HalleyParameters const& parameters);

  // Follows the method from (x, y) and answers the number of iterates kept
  // (0 ... 31). With an orbit, it is filled with the start and those iterates
  // (it is not cleared first).
  int iterate(double x, double y, Orbit* orbit) const {
    return orbit != nullptr ? run<true>(x, y, orbit) : run<false>(x, y, nullptr);
  }

  // One step of the method from z: z - lambda p / (p' - p p'' / (2 p')).
  ComplexDouble step(ComplexDouble z) const;
  // Whether the test stops the iteration between z and next; a NaN never stops it.
  static bool converged(int test, ComplexDouble z, ComplexDouble next);

  // A quotient whose divisor has a squared modulus of exactly 0 is 0.
  static ComplexDouble divide(ComplexDouble a, ComplexDouble b) {
    double const d = b.re * b.re + b.im * b.im;
    if (d == 0) return {0, 0};
    return {(a.re * b.re + a.im * b.im) / d, (a.im * b.re - a.re * b.im) / d};
  }
  static ComplexDouble multiply(ComplexDouble a, ComplexDouble b) {
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
  }

 // What the vector lanes read (HalleyLanes.h).
  std::array<double, 13> const& polynomial() const { return m_p; }
  std::array<double, 12> const& firstDerivative() const { return m_first; }
  std::array<double, 11> const& secondDerivative() const { return m_second; }
  double lambda() const { return m_lambda; }
  int test() const { return m_test; }

 private:
  template <bool Record>
  int run(double x, double y, Orbit* orbit) const {
    ComplexDouble z{x, y};
    int n = 0;
    if constexpr (Record) orbit->add(z);
    for (;;) {
      ComplexDouble const next = step(z);
      if (converged(m_test, z, next)) break;
      z = next;
      if (n + 1 > kMaxSteps) break;
      ++n;
      if constexpr (Record) orbit->add(z);
    }
    return n;
  }

  std::array<double, 13> m_p;       // ck
  std::array<double, 12> m_first;   // (k + 1) c(k+1)
  std::array<double, 11> m_second;  // (k + 1)(k + 2) c(k+2)
  double m_lambda;
  int m_test;
};

// ---- inline definitions: the inner loop of every pixel ----

inline ComplexDouble HalleyIteration::step(ComplexDouble z) const {
  // z^0 ... z^12, each formed once and shared by p, p' and p''.
  ComplexDouble powers[13];
  powers[0] = {1, 0};
  for (int k = 1; k < 13; ++k) powers[k] = multiply(powers[k - 1], z);
  ComplexDouble p{0, 0}, first{0, 0}, second{0, 0};
  for (int k = 0; k < 13; ++k) {
    p.re += m_p[k] * powers[k].re;
    p.im += m_p[k] * powers[k].im;
  }
  for (int k = 0; k < 12; ++k) {
    first.re += m_first[k] * powers[k].re;
    first.im += m_first[k] * powers[k].im;
  }
  for (int k = 0; k < 11; ++k) {
    second.re += m_second[k] * powers[k].re;
    second.im += m_second[k] * powers[k].im;
  }
  ComplexDouble q = divide(multiply(p, second), first);
  q.re *= 0.5;
  q.im *= 0.5;
  ComplexDouble const s = divide(p, ComplexDouble{first.re - q.re, first.im - q.im});
  return {z.re - m_lambda * s.re, z.im - m_lambda * s.im};
}

inline bool HalleyIteration::converged(int test, ComplexDouble z, ComplexDouble next) {
  double const dx = next.re - z.re;
  double const dy = next.im - z.im;
  switch (test) {
    case 1: {
      double const change = (next.re * next.re + next.im * next.im) - (z.re * z.re + z.im * z.im);
      return (change < 0 ? -change : change) < kThreshold;
    }
    case 2:
      return dx * dx < kThreshold || dy * dy < kThreshold;
    default:
      return dx * dx + dy * dy < kThreshold;
  }
}

}  // namespace orlenza
