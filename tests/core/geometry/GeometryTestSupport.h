#pragma once
// Helpers shared by the geometry tests.

#include "core/geometry/Geometry.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace orlenza::testing {

inline constexpr double kInf = std::numeric_limits<double>::infinity();
inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

inline bool sameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }
inline bool sameBits(Coord2D a, Coord2D b) { return sameBits(a.x, b.x) && sameBits(a.y, b.y); }

// Places a geometry with an absolute centre and radius, ready to map.
inline void placeAt(Geometry& g, Coord2D center, double radius) {
  g.setCenterIsAbsolute(true);
  g.setCenter(center);
  g.setRadiusIsAbsolute(true);
  g.setRadius(radius);
  g.initWithView(View());
}

inline Coord2D onCircle(double degrees, double radius = 1.0) {
  double const radians = degrees * 3.14159265358979323846 / 180.0;
  return {radius * std::cos(radians), radius * std::sin(radians)};
}

inline double angleOf(Coord2D p) { return std::atan2(p.y, p.x) * 180.0 / 3.14159265358979323846; }

}  // namespace orlenza::testing
