#include "core/geometry/GeometrySwirl.h"

#include "core/base/TextIO.h"

#include <cmath>
#include <istream>

namespace orlenza {

std::string const& GeometrySwirl::getIdentifier() const {
  static std::string const identifier(k_identifier);
  return identifier;
}

namespace {

// Turns p about c by sign * twist * pi * (r / R)^exponent.
Coord2D swirl(Coord2D const& p, Coord2D const& c, double radius, double twist, double exponent, bool backwards) {
  double const dx = p.x - c.x;
  double const dy = p.y - c.y;
  double const r = std::sqrt(dx * dx + dy * dy);
  double const theta = std::atan2(dy, dx);
  double const turn = twist * k_geomPi * std::pow(r / radius, exponent);
  double const turned = backwards ? theta - turn : theta + turn;
  return {c.x + r * std::cos(turned), c.y + r * std::sin(turned)};
}

}  // namespace

Coord2D GeometrySwirl::getMappedCoords(Coord2D const& p) const {
  return swirl(p, getWorkingCenter(), getWorkingRadius(), m_twist, m_exponent, false);
}

Coord2D GeometrySwirl::getInverseCoords(Coord2D const& p) const {
  return swirl(p, getWorkingCenter(), getWorkingRadius(), m_twist, m_exponent, true);
}

std::shared_ptr<Geometry> GeometrySwirl::morphTowardsSameClass(Geometry const& other, double t) const {
  auto const& target = sameClass(other);
  auto result = std::make_shared<GeometrySwirl>(*this);
  result->morphViewBetween(*this, other, t);
  result->m_twist = (1.0 - t) * m_twist + t * target.m_twist;
  result->m_exponent = (1.0 - t) * m_exponent + t * target.m_exponent;
  return result;
}

bool GeometrySwirl::isEqual_(Geometry const& other) const {
  auto const& o = sameClass(other);
  return geomParamsAreEqual(m_twist, o.m_twist) && geomParamsAreEqual(m_exponent, o.m_exponent);
}

void GeometrySwirl::outputParameters(std::ostream& os) const {
  text::writeDouble(os, m_twist);
  text::writeDouble(os, m_exponent);
}

void GeometrySwirl::inputParameters(std::istream& is) {
  double twist = m_twist;
  double exponent = m_exponent;
  text::readDouble(is, twist);
  text::readDouble(is, exponent);
  if (!is) return;
  m_twist = twist;
  m_exponent = exponent;
}

}  // namespace orlenza
