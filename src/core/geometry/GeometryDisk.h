#pragma once
// Wraps the plane onto a disk of the working radius around the working centre.
// No proper inverse; the centre itself maps to NaN.

#include "core/geometry/Geometry.h"

#include <string_view>

namespace orlenza {

class GeometryDisk final : public ParameterLessGeometry<GeometryDisk> {
 public:
  static constexpr std::string_view k_identifier = "geom_disk";

  std::string const& getIdentifier() const override;
  Coord2D getMappedCoords(Coord2D const& p) const override;
};

}  // namespace orlenza
