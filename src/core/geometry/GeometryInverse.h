#pragma once
// Inversion in a circle: a point at distance r from the centre goes to distance
// R / r in the same direction. Its own inverse; the centre stays where it is.

#include "core/geometry/Geometry.h"

#include <string_view>

namespace orlenza {

class GeometryInverse final : public ParameterLessGeometry<GeometryInverse> {
 public:
  static constexpr std::string_view k_identifier = "geom_inverse";

  std::string const& getIdentifier() const override;
  Coord2D getMappedCoords(Coord2D const& p) const override;
  bool hasProperInverse() const override { return true; }
  Coord2D getInverseCoords(Coord2D const& p) const override { return getMappedCoords(p); }
};

}  // namespace orlenza
