#include "core/geometry/GeometryNfold.h"

#include "core/base/TextIO.h"

#include <cmath>
#include <istream>

namespace orlenza {

GeometryNfold::GeometryNfold() { updateDerived(); }

GeometryNfold::GeometryNfold(unsigned int folds, bool mirror, double phase) : m_folds(folds), m_mirror(mirror) {
  setPhase(phase);
}

std::string const& GeometryNfold::getIdentifier() const {
  static std::string const identifier(k_identifier);
  return identifier;
}

void GeometryNfold::setFolds(unsigned int folds) {
  m_folds = folds;
  updateDerived();
}

void GeometryNfold::setPhase(double degrees) {
  m_phase = std::isfinite(degrees) ? degrees : 0.0;
  updateDerived();
}

void GeometryNfold::updateDerived() {
  m_sector = k_geomTwoPi / m_folds;  // infinite without folds; no sector is found then
  double phaseRadians = m_phase * k_geomPi / 180.0;
  double twicePhaseRadians = 2.0 * m_phase * k_geomPi / 180.0;
  if (!std::isfinite(phaseRadians) || !std::isfinite(twicePhaseRadians)) {
    // A phase so large its radians overflow counts as no phase, like a non-finite one.
    phaseRadians = 0.0;
    twicePhaseRadians = 0.0;
  }
  m_phaseRadians = phaseRadians;
  double const mirrorAngle = m_sector - twicePhaseRadians;
  m_mirrorCos = std::cos(mirrorAngle);
  m_mirrorSin = std::sin(mirrorAngle);
}

double GeometryNfold::foldIntoTurn(double a) {
  // Within 64 turns the plain loops run (at most 65 steps), so ordinary angles
  // fold exactly as they always did. Beyond, the loops would take too long (or
  // forever, once 2 pi is below half an ulp), so the exact remainder comes first.
  constexpr double k_loopSpan = 64 * k_geomTwoPi;
  if (!(std::fabs(a) <= k_loopSpan)) a = std::fmod(a, k_geomTwoPi);  // NaN and inf give NaN
  while (a < 0) a += k_geomTwoPi;
  while (a > k_geomTwoPi) a -= k_geomTwoPi;
  return a;
}

bool GeometryNfold::findSector(double a, unsigned int folds, double sector, unsigned int& k) {
  if (folds == 0 || !(a >= 0.0) || !(sector > 0.0)) return false;
  // The sector bounds j * sector grow with j even after rounding, so at most one j
  // satisfies the test: the largest one whose lower bound is not above a. The
  // quotient guesses it to within one.
  double guess = std::floor(a / sector);
  double const last = static_cast<double>(folds - 1);
  if (!(guess >= 0.0)) guess = 0.0;
  if (guess > last) guess = last;
  unsigned int j = static_cast<unsigned int>(guess);
  while (j > 0 && static_cast<double>(j) * sector > a) --j;
  while (j + 1 < folds && static_cast<double>(j + 1) * sector <= a) ++j;
  if (!(static_cast<double>(j) * sector <= a && a < static_cast<double>(j + 1) * sector)) return false;
  k = j;
  return true;
}

Coord2D GeometryNfold::getMappedCoords(Coord2D const& p) const {
  Coord2D const& c = getWorkingCenter();
  double const dx = p.x - c.x;
  double const dy = p.y - c.y;
  double const a = foldIntoTurn(std::atan2(dy, dx) + m_phaseRadians);
  unsigned int k = 0;
  if (!findSector(a, m_folds, m_sector, k)) return p;
  double const turn = -(static_cast<double>(k) * m_sector);
  double const cosTurn = std::cos(turn);
  double const sinTurn = std::sin(turn);
  double rx = dx * cosTurn - dy * sinTurn;
  double ry = dx * sinTurn + dy * cosTurn;
  if (m_mirror && a > (static_cast<double>(k) + 0.5) * m_sector) {
    double const mx = m_mirrorCos * rx + m_mirrorSin * ry;
    double const my = m_mirrorSin * rx - m_mirrorCos * ry;
    rx = mx;
    ry = my;
  }
  return {c.x + rx, c.y + ry};
}

std::shared_ptr<Geometry> GeometryNfold::morphTowardsSameClass(Geometry const& other, double t) const {
  auto const& target = sameClass(other);
  auto result = std::make_shared<GeometryNfold>(*this);
  result->morphViewBetween(*this, other, t);
  double folds = (1.0 - t) * m_folds + t * target.m_folds;
  if (std::isnan(folds)) folds = m_folds;  // only a NaN or infinite t gets here
  if (folds < 0.0) folds = 0.0;
  if (folds > 4294967295.0) folds = 4294967295.0;
  result->m_folds = static_cast<unsigned int>(folds);
  result->m_mirror = t >= 1.0 ? target.m_mirror : m_mirror;
  result->setPhase((1.0 - t) * m_phase + t * target.m_phase);  // also refreshes the derived values
  return result;
}

bool GeometryNfold::isEqual_(Geometry const& other) const {
  auto const& o = sameClass(other);
  return m_folds == o.m_folds && m_mirror == o.m_mirror && geomParamsAreEqual(m_phase, o.m_phase);
}

void GeometryNfold::outputParameters(std::ostream& os) const {
  text::writeInt(os, m_folds);
  text::writeBool(os, m_mirror);
  text::writeDouble(os, m_phase);
}

void GeometryNfold::inputParameters(std::istream& is) {
  unsigned int folds = m_folds;
  bool mirror = m_mirror;
  double phase = m_phase;
  text::readUnsigned(is, folds);
  text::readBool(is, mirror);
  text::readDouble(is, phase);
  if (!is) return;
  m_folds = folds;
  m_mirror = mirror;
  setPhase(phase);
}

}  // namespace orlenza
