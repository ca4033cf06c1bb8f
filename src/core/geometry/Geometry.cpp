#include "core/geometry/Geometry.h"

#include "core/base/TextIO.h"

#include <cmath>
#include <istream>
#include <ostream>
#include <typeinfo>

namespace orlenza {

bool geomParamsAreEqual(double a, double b) { return std::fabs(a - b) < 1e-10; }

Geometry::~Geometry() = default;

bool Geometry::hasProperInverse() const { return false; }

Coord2D Geometry::getInverseCoords(Coord2D const& p) const { return getMappedCoords(p); }

void Geometry::initWithView(View const& view) {
  if (m_centerIsAbsolute) {
    m_workingCenter = m_center;
  } else {
    View turnedBack = view;
    turnedBack.setAngle(-view.getAngle());
    m_workingCenter = turnedBack.viewRelativeToAbsolute(m_center);
  }
  m_workingRadius = m_radiusIsAbsolute ? m_radius : m_radius * view.getSize();
}

bool Geometry::isEqual(Geometry const& other) const {
  return typeid(*this) == typeid(other) && m_centerIsAbsolute == other.m_centerIsAbsolute &&
         m_radiusIsAbsolute == other.m_radiusIsAbsolute && geomParamsAreEqual(m_center.x, other.m_center.x) &&
         geomParamsAreEqual(m_center.y, other.m_center.y) && geomParamsAreEqual(m_radius, other.m_radius) &&
         isEqual_(other);
}

std::shared_ptr<Geometry> Geometry::morphTowards(Geometry const& other, double t) const {
  if (typeid(*this) != typeid(other)) return clone();
  return morphTowardsSameClass(other, t);
}

void Geometry::morphViewBetween(Geometry const& from, Geometry const& to, double t) {
  if (from.m_centerIsAbsolute == to.m_centerIsAbsolute) {
    m_center = {(1.0 - t) * from.m_center.x + t * to.m_center.x, (1.0 - t) * from.m_center.y + t * to.m_center.y};
  } else {
    m_center = from.m_center;
  }
  if (from.m_radiusIsAbsolute == to.m_radiusIsAbsolute) {
    m_radius = (1.0 - t) * from.m_radius + t * to.m_radius;
  } else {
    m_radius = from.m_radius;
  }
}

void Geometry::outputToStream(std::ostream& os) const {
  text::writeWord(os, getIdentifier());
  text::writeBool(os, m_centerIsAbsolute);
  text::writeDouble(os, m_center.x);
  text::writeDouble(os, m_center.y);
  text::writeBool(os, m_radiusIsAbsolute);
  text::writeDouble(os, m_radius);
  outputParameters(os);
}

void Geometry::inputFromStream(std::istream& is) {
  bool centerIsAbsolute = m_centerIsAbsolute;
  Coord2D center = m_center;
  bool radiusIsAbsolute = m_radiusIsAbsolute;
  double radius = m_radius;
  text::readBool(is, centerIsAbsolute);
  text::readDouble(is, center.x);
  text::readDouble(is, center.y);
  text::readBool(is, radiusIsAbsolute);
  text::readDouble(is, radius);
  if (!is) return;
  m_centerIsAbsolute = centerIsAbsolute;
  m_center = center;
  m_radiusIsAbsolute = radiusIsAbsolute;
  m_radius = radius;
  inputParameters(is);
}

std::ostream& operator<<(std::ostream& os, Geometry const& geometry) {
  geometry.outputToStream(os);
  return os;
}

std::istream& operator>>(std::istream& is, Geometry& geometry) {
  geometry.inputFromStream(is);
  return is;
}

}  // namespace orlenza
