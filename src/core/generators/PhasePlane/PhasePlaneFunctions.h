#pragma once
// The core functions f of the three phase-plane generators, one small struct
// per member: f as a pure inline function of the coefficients k and t, and
// what else the member changes (defaults, norm, random rule). The snapshot
// kind, computator and pane templates read nothing else.

#include <array>
#include <cmath>
#include <string_view>

namespace orlenza {

namespace phaseplane {

// How a member's pane draws random coefficients.
enum class RandomRule {
  PolynomialSine,  // k1, k2, k5 in [-5, 5]; k3 in [-1, 1] and k4 in [-5, 5], each zero half the time
  Uniform,         // every coefficient in [-5, 5]
};

}  // namespace phaseplane

// sin(k1 t + k2 t^2 + k3 t^3 + k4 sin(k5 t)).
struct PPxsinFunction {
  static constexpr std::string_view kIdentifier = "PhasePlane-xsin";
  static constexpr int kNumParams = 5;
  static constexpr std::array<double, kNumParams> kDefaultCoefficients{1, 0, 0, 1, 3};
  static constexpr double kDefaultStepSize = 0.1;
  static constexpr double kDefaultNorm = 20;
  static constexpr phaseplane::RandomRule kRandomRule = phaseplane::RandomRule::PolynomialSine;

  static double f(double const* k, double t) {
    double const u = ((t * k[2] + k[1]) * t + k[0]) * t;
    return std::sin(u + std::sin(t * k[4]) * k[3]);
  }
};

// sin(k1 t) sin(k2 t) sin(k3 t^2).
struct PPsinprodFunction {
  static constexpr std::string_view kIdentifier = "PhasePlane-sinprod";
  static constexpr int kNumParams = 3;
  static constexpr std::array<double, kNumParams> kDefaultCoefficients{1, 1, 1};
  static constexpr double kDefaultStepSize = 0.1;
  static constexpr double kDefaultNorm = 20;
  static constexpr phaseplane::RandomRule kRandomRule = phaseplane::RandomRule::Uniform;

  static double f(double const* k, double t) {
    return std::sin(t * k[0]) * std::sin(t * k[1]) * std::sin(t * k[2] * t);
  }
};

// sin(k1 t + tan(k2 t + k3 t^2)) cos(k4 t + k5 t^2).
struct PPtanFunction {
  static constexpr std::string_view kIdentifier = "PhasePlane-tan";
  static constexpr int kNumParams = 5;
  static constexpr std::array<double, kNumParams> kDefaultCoefficients{1, 3, 0, 0, 0};
  static constexpr double kDefaultStepSize = 0.05;
  static constexpr double kDefaultNorm = 10;
  static constexpr phaseplane::RandomRule kRandomRule = phaseplane::RandomRule::PolynomialSine;

  static double f(double const* k, double t) {
    return std::sin(t * k[0] + std::tan((t * k[2] + k[1]) * t)) * std::cos((t * k[4] + k[3]) * t);
  }
};

}  // namespace orlenza
