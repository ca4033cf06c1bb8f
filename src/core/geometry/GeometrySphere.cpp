#include "core/geometry/GeometrySphere.h"

#include "core/base/TextIO.h"

#include <cmath>
#include <istream>

namespace orlenza {

GeometrySphere::GeometrySphere() { setRadius(0.5); }

GeometrySphere::GeometrySphere(double strength, bool keepInside) : m_strength(strength), m_keepInside(keepInside) {
  setRadius(0.5);
}

std::string const& GeometrySphere::getIdentifier() const {
  static std::string const identifier(k_identifier);
  return identifier;
}

Coord2D GeometrySphere::getMappedCoords(Coord2D const& p) const {
  Coord2D const& c = getWorkingCenter();
  double const radius = getWorkingRadius();
  double const dx = p.x - c.x;
  double const dy = p.y - c.y;
  double const rho = std::sqrt(dx * dx + dy * dy) / radius;
  double const theta = std::atan2(dy, dx);
  double const mapped = (m_keepInside && rho <= 1.0) ? rho : std::pow(2.0, (rho - 1.0) * m_strength);
  return {c.x + mapped * radius * std::cos(theta), c.y + mapped * radius * std::sin(theta)};
}

Coord2D GeometrySphere::getInverseCoords(Coord2D const& p) const {
  Coord2D const& c = getWorkingCenter();
  double const radius = getWorkingRadius();
  double const dx = p.x - c.x;
  double const dy = p.y - c.y;
  double const rho = std::sqrt(dx * dx + dy * dy) / radius;
  double const theta = std::atan2(dy, dx);
  double const mapped = (m_keepInside && rho <= 1.0) ? rho : std::log2(rho) / m_strength + 1.0;
  return {c.x + mapped * radius * std::cos(theta), c.y + mapped * radius * std::sin(theta)};
}

std::shared_ptr<Geometry> GeometrySphere::morphTowardsSameClass(Geometry const& other, double t) const {
  auto const& target = sameClass(other);
  auto result = std::make_shared<GeometrySphere>(*this);
  result->morphViewBetween(*this, other, t);
  result->m_strength = (1.0 - t) * m_strength + t * target.m_strength;
  result->m_keepInside = t >= 1.0 ? target.m_keepInside : m_keepInside;
  return result;
}

bool GeometrySphere::isEqual_(Geometry const& other) const {
  auto const& o = sameClass(other);
  return geomParamsAreEqual(m_strength, o.m_strength) && m_keepInside == o.m_keepInside;
}

void GeometrySphere::outputParameters(std::ostream& os) const {
  text::writeDouble(os, m_strength);
  text::writeBool(os, m_keepInside);
}

void GeometrySphere::inputParameters(std::istream& is) {
  double strength = m_strength;
  bool keepInside = m_keepInside;
  text::readDouble(is, strength);
  text::readBool(is, keepInside);
  if (!is) return;
  m_strength = strength;
  m_keepInside = keepInside;
}

}  // namespace orlenza
