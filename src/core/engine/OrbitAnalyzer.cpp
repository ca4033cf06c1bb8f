#include "core/engine/OrbitAnalyzer.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "core/base/RandomUtils.h"

namespace orlenza {

namespace {

// |q| as the analyzers define it: the plain root of the sum of squares, not
// hypot, which rounds differently.
double magnitude(double x, double y) { return std::sqrt(x * x + y * y); }
double distance(ComplexDouble const& p, ComplexDouble const& q) { return magnitude(p.re - q.re, p.im - q.im); }

constexpr double kCrossTrapWidth = 0.01;

}  // namespace

OrbitAnalyzer const* OrbitAnalyzer::getAnalyzerFromID(std::string const& identifier) {
  return getInstanceFromID(identifier);
}

// Singletons: each made on first use, so the list and the registry can be
// reached in any order during start-up.
OrbitAnalyzerDwell::OrbitAnalyzerDwell() : OrbitAnalyzer(k_idDwellAnalyzer) {}
OrbitAnalyzerDwell const& OrbitAnalyzerDwell::instance() {
  static OrbitAnalyzerDwell const s_instance;
  return s_instance;
}

OrbitAnalyzerDistance::OrbitAnalyzerDistance() : OrbitAnalyzer(k_idDistanceAnalyzer) {}
OrbitAnalyzerDistance const& OrbitAnalyzerDistance::instance() {
  static OrbitAnalyzerDistance const s_instance;
  return s_instance;
}

OrbitAnalyzerLength::OrbitAnalyzerLength() : OrbitAnalyzer("OA_Length") {}
OrbitAnalyzerLength const& OrbitAnalyzerLength::instance() {
  static OrbitAnalyzerLength const s_instance;
  return s_instance;
}

OrbitAnalyzerGravity::OrbitAnalyzerGravity() : OrbitAnalyzer("OA_Gravity") {}
OrbitAnalyzerGravity const& OrbitAnalyzerGravity::instance() {
  static OrbitAnalyzerGravity const s_instance;
  return s_instance;
}

OrbitAnalyzerCloseness::OrbitAnalyzerCloseness() : OrbitAnalyzer("OA_Closeness") {}
OrbitAnalyzerCloseness const& OrbitAnalyzerCloseness::instance() {
  static OrbitAnalyzerCloseness const s_instance;
  return s_instance;
}

OrbitAnalyzerAngle::OrbitAnalyzerAngle() : OrbitAnalyzer("OA_Angle") {}
OrbitAnalyzerAngle const& OrbitAnalyzerAngle::instance() {
  static OrbitAnalyzerAngle const s_instance;
  return s_instance;
}

OrbitAnalyzerHarmonic::OrbitAnalyzerHarmonic() : OrbitAnalyzer("OA_Harmonic") {}
OrbitAnalyzerHarmonic const& OrbitAnalyzerHarmonic::instance() {
  static OrbitAnalyzerHarmonic const s_instance;
  return s_instance;
}

OrbitAnalyzerReal::OrbitAnalyzerReal() : OrbitAnalyzer("OA_Real") {}
OrbitAnalyzerReal const& OrbitAnalyzerReal::instance() {
  static OrbitAnalyzerReal const s_instance;
  return s_instance;
}

OrbitAnalyzerImag::OrbitAnalyzerImag() : OrbitAnalyzer("OA_Imag") {}
OrbitAnalyzerImag const& OrbitAnalyzerImag::instance() {
  static OrbitAnalyzerImag const s_instance;
  return s_instance;
}

OrbitAnalyzerPotential::OrbitAnalyzerPotential() : OrbitAnalyzer("OA_Potential") {}
OrbitAnalyzerPotential const& OrbitAnalyzerPotential::instance() {
  static OrbitAnalyzerPotential const s_instance;
  return s_instance;
}

OrbitAnalyzerMinDistance::OrbitAnalyzerMinDistance() : OrbitAnalyzer("OA_MinDist") {}
OrbitAnalyzerMinDistance const& OrbitAnalyzerMinDistance::instance() {
  static OrbitAnalyzerMinDistance const s_instance;
  return s_instance;
}

OrbitAnalyzerCrossTrap::OrbitAnalyzerCrossTrap() : OrbitAnalyzer("OA_CrossTrap") {}
OrbitAnalyzerCrossTrap const& OrbitAnalyzerCrossTrap::instance() {
  static OrbitAnalyzerCrossTrap const s_instance;
  return s_instance;
}

// The number of recorded steps, n - 1, taken modulo 2^32 as the colouring has
// always seen it: an empty orbit reads 4294967295.
double OrbitAnalyzerDwell::extract(Orbit const& orbit) const {
  return static_cast<double>(static_cast<std::uint32_t>(orbit.points.size() - 1));
}

// An empty orbit has gone nowhere: 0, here and in the other readings of the
// first or last point.
double OrbitAnalyzerDistance::extract(Orbit const& orbit) const {
  auto const& p = orbit.points;
  if (p.empty()) return 0;
  return distance(p.back(), p.front());
}

double OrbitAnalyzerLength::extract(Orbit const& orbit) const {
  auto const& p = orbit.points;
  double length = 0;
  for (std::size_t k = 1; k < p.size(); ++k) length += distance(p[k], p[k - 1]);
  return length;
}

// The centroid of no points does not exist: NaN, drawn as no value.
double OrbitAnalyzerGravity::extract(Orbit const& orbit) const {
  auto const& p = orbit.points;
  if (p.empty()) return std::numeric_limits<double>::quiet_NaN();
  double sx = 0;
  double sy = 0;
  for (ComplexDouble const& q : p) {
    sx += q.re;
    sy += q.im;
  }
  return magnitude(sx, sy) / static_cast<double>(p.size());
}

double OrbitAnalyzerCloseness::extract(Orbit const& orbit) const {
  auto const& p = orbit.points;
  if (p.size() < 2) return 1;
  double d = distance(p[1], p[0]);
  if (d == 0) d = 1;
  return distance(p.back(), p.front()) / d;
}

double OrbitAnalyzerAngle::extract(Orbit const& orbit) const {
  auto const& p = orbit.points;
  if (p.size() < 2) return 0;
  double const dx = p.back().re - p.front().re;
  double const dy = p.back().im - p.front().im;
  if (dx * dx + dy * dy < 1e-10) return 0;
  double const angle = std::fabs(std::atan2(dy, dx));
  return std::isfinite(angle) ? angle : 0;
}

double OrbitAnalyzerHarmonic::extract(Orbit const& orbit) const {
  auto const& p = orbit.points;
  if (p.empty()) return 0;
  double sx = -p[0].re;
  double sy = -p[0].im;
  for (std::size_t k = 1; k < p.size(); ++k) {
    double const weight = static_cast<double>(k);
    sx += p[k].re / weight;
    sy += p[k].im / weight;
  }
  return magnitude(sx, sy);
}

double OrbitAnalyzerReal::extract(Orbit const& orbit) const {
  return orbit.points.empty() ? 0 : std::fabs(orbit.points.back().re);
}

double OrbitAnalyzerImag::extract(Orbit const& orbit) const {
  return orbit.points.empty() ? 0 : std::fabs(orbit.points.back().im);
}

double OrbitAnalyzerPotential::extract(Orbit const& orbit) const {
  auto const& p = orbit.points;
  if (p.empty()) return 0;
  return magnitude(p.back().re, p.back().im) / static_cast<double>(p.size());
}

// Compared as squares and rooted once; the root is monotonic and correctly
// rounded, so the answer is the smallest |p(k)| itself. Points without a
// distance (NaN) are passed over, so the answer does not depend on where they
// sit; it is NaN only when no point has a distance.
double OrbitAnalyzerMinDistance::extract(Orbit const& orbit) const {
  auto const& p = orbit.points;
  if (p.empty()) return 0;
  double best = std::numeric_limits<double>::quiet_NaN();
  for (ComplexDouble const& q : p) {
    double const squared = q.re * q.re + q.im * q.im;
    if (squared < best || std::isnan(best)) best = squared;
  }
  return std::sqrt(best);
}

// The starting point is not tested: only where the orbit went counts. The
// distance to the nearer axis is that of the finite coordinate when the other
// is NaN (fmin), whichever coordinate it is.
double OrbitAnalyzerCrossTrap::extract(Orbit const& orbit) const {
  auto const& p = orbit.points;
  for (std::size_t k = 1; k < p.size(); ++k) {
    double const m = std::fmin(std::fabs(p[k].re), std::fabs(p[k].im));
    if (m < kCrossTrapWidth) return kCrossTrapWidth - m;
  }
  return 0;
}

std::vector<OrbitAnalyzer const*> const& OrbitAnalyzerController::getAnalyzers() {
  static std::vector<OrbitAnalyzer const*> const analyzers = {
      &OrbitAnalyzerDwell::instance(),     &OrbitAnalyzerDistance::instance(),
      &OrbitAnalyzerLength::instance(),    &OrbitAnalyzerGravity::instance(),
      &OrbitAnalyzerCloseness::instance(), &OrbitAnalyzerAngle::instance(),
      &OrbitAnalyzerHarmonic::instance(),  &OrbitAnalyzerReal::instance(),
      &OrbitAnalyzerImag::instance(),      &OrbitAnalyzerPotential::instance(),
      &OrbitAnalyzerMinDistance::instance(), &OrbitAnalyzerCrossTrap::instance(),
  };
  return analyzers;
}

std::string OrbitAnalyzerController::getRandomAnalyzerIdentifier() {
  auto const& analyzers = getAnalyzers();
  auto const last = static_cast<unsigned short>(analyzers.size() - 1);
  return analyzers[RandomUtils::intRnd(0, last)]->getIdentifier();
}

void registerAllOrbitAnalyzers() { OrbitAnalyzerController::getAnalyzers(); }

}  // namespace orlenza
