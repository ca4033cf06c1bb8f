#pragma once
// The kernel of the biomorph generator: the blend of a plane point with K into
// a start z and a constant c, and the orbit of z under
// z -> c + z P(z) + s sin z + e exp z + p z^z until |z| > 100 or the count runs
// out. Complex arithmetic is written out, so every machine takes the same
// roundings and the reference loops can repeat them exactly.

#include <array>
#include <cmath>

#include "core/engine/Orbit.h"
#include "core/generators/Biomorph/BiomorphParameters.h"

namespace orlenza {

class BiomorphKernel {
 public:
  static constexpr double kEscapeSquared = 10000;  // radius 100

  struct Result {
    int points;          // the points the orbit holds (at least 1)
    ComplexDouble last;  // the last value computed: the escaping one or the last iterate
  };

  explicit BiomorphKernel(BiomorphParameters const& p)
      : m_c(p.coefficients),
        m_sin(p.sinWeight),
        m_exp(p.expWeight),
        m_pow(p.powWeight),
        m_theta(p.getTheta()),
        m_phi(p.getPhi()),
        m_kx(p.fixedRe),
        m_ky(p.fixedIm),
        m_steps(BiomorphParameters::clampIterations(p.getNumIter())),
        m_test(p.biomorphTest),
        m_transcendental(p.sinWeight != 0 || p.expWeight != 0 || p.powWeight != 0) {}

  int steps() const { return m_steps; }
  bool biomorphTest() const { return m_test; }
  // Only the polynomial (no sine, exponential or power term): the vector lanes' case.
  bool isPolynomial() const { return !m_transcendental; }
  std::array<double, BiomorphParameters::kNumCoefficients> const& coefficients() const { return m_c; }

  // Start and constant of plane point (px, py).
  void blend(double px, double py, ComplexDouble& z, ComplexDouble& c) const {
    double const zx = m_theta * px + (1 - m_theta) * m_kx;
    double const zy = m_theta * py + (1 - m_theta) * m_ky;
    double const cx = (1 - m_theta) * px + m_theta * m_kx;
    double const cy = (1 - m_theta) * py + m_theta * m_ky;
    z = {zx * (1 - m_phi) + cy * m_phi, zy};
    c = {cx, zx * m_phi + cy * (1 - m_phi)};
  }

  // Follows the orbit of (px, py). With an orbit, its points are appended (it
  // is not cleared first). The biomorph test is not applied here.
  Result iterate(double px, double py, Orbit* orbit) const {
    if (m_transcendental) return orbit ? run<true, true>(px, py, orbit) : run<true, false>(px, py, nullptr);
    return orbit ? run<false, true>(px, py, orbit) : run<false, false>(px, py, nullptr);
  }

  // Whether the biomorph test collapses an orbit that ended on last.
  static bool collapses(ComplexDouble last) { return std::fabs(last.re) < 100 || std::fabs(last.im) < 100; }

  // One step from z with constant c.
  ComplexDouble step(ComplexDouble z, ComplexDouble c) const {
    ComplexDouble w = polynomialStep(z, c);
    if (m_transcendental) addTranscendental(z, w);
    return w;
  }

  static ComplexDouble multiply(ComplexDouble a, ComplexDouble b) {
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
  }
  static ComplexDouble exp(ComplexDouble z) {
    double const r = std::exp(z.re);
    return {r * std::cos(z.im), r * std::sin(z.im)};
  }

 private:
  template <bool Transcendental, bool Record>
  Result run(double px, double py, Orbit* orbit) const {
    ComplexDouble z, c;
    blend(px, py, z, c);
    int k = 0;
    for (;;) {
      if constexpr (Record) orbit->add(z);
      ComplexDouble w = polynomialStep(z, c);
      if constexpr (Transcendental) addTranscendental(z, w);
      z = w;
      if (z.re * z.re + z.im * z.im > kEscapeSquared) break;
      ++k;
      if (k >= m_steps) break;
    }
    // Both exits leave k + 1 points: the escape is tested before k counts it.
    return {k + 1 > m_steps ? m_steps : k + 1, z};
  }

  ComplexDouble polynomialStep(ComplexDouble z, ComplexDouble c) const {
    ComplexDouble p{m_c[5], 0};
    for (int i = 4; i >= 0; --i) {
      p = multiply(p, z);
      p.re += m_c[static_cast<std::size_t>(i)];
    }
    ComplexDouble const zp = multiply(z, p);
    return {c.re + zp.re, c.im + zp.im};
  }

  void addTranscendental(ComplexDouble z, ComplexDouble& w) const {
    if (m_sin != 0) {
      w.re += m_sin * (std::sin(z.re) * std::cosh(z.im));
      w.im += m_sin * (std::cos(z.re) * std::sinh(z.im));
    }
    if (m_exp != 0) {
      ComplexDouble const e = exp(z);
      w.re += m_exp * e.re;
      w.im += m_exp * e.im;
    }
    if (m_pow != 0) {
      ComplexDouble const logz{std::log(std::hypot(z.re, z.im)), std::atan2(z.im, z.re)};
      ComplexDouble const e = exp(multiply(z, logz));
      w.re += m_pow * e.re;
      w.im += m_pow * e.im;
    }
  }

  std::array<double, BiomorphParameters::kNumCoefficients> m_c;
  double m_sin, m_exp, m_pow;
  double m_theta, m_phi;
  double m_kx, m_ky;
  int m_steps;
  bool m_test;
  bool m_transcendental;
};

}  // namespace orlenza
