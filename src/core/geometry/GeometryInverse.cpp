#include "core/geometry/GeometryInverse.h"

#include <cmath>

namespace orlenza {

std::string const& GeometryInverse::getIdentifier() const {
  static std::string const identifier(k_identifier);
  return identifier;
}

Coord2D GeometryInverse::getMappedCoords(Coord2D const& p) const {
  Coord2D const& c = getWorkingCenter();
  double const dx = p.x - c.x;
  double const dy = p.y - c.y;
  double const r = std::sqrt(dx * dx + dy * dy);
  if (r == 0.0) return p;
  // The distance becomes R / r, not R^2 / r: stored pictures depend on it.
  double const distance = getWorkingRadius() / r;
  double const theta = std::atan2(dy, dx);
  return {c.x + distance * std::cos(theta), c.y + distance * std::sin(theta)};
}

}  // namespace orlenza
