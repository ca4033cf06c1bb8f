#include "core/geometry/GeometryDisk.h"

#include <cmath>

namespace orlenza {

std::string const& GeometryDisk::getIdentifier() const {
  static std::string const identifier(k_identifier);
  return identifier;
}

Coord2D GeometryDisk::getMappedCoords(Coord2D const& p) const {
  Coord2D const& c = getWorkingCenter();
  double const radius = getWorkingRadius();
  double const dx = p.x - c.x;
  double const dy = p.y - c.y;
  double const r = std::sqrt(dx * dx + dy * dy);
  return {c.x + radius * std::sin((dx + dy) / r), c.y + radius * std::sin(std::sqrt(std::fabs(dy)) / r)};
}

}  // namespace orlenza
