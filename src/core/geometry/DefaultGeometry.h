#pragma once
// The identity: every point maps to itself. The geometry of a new snapshot core.

#include "core/geometry/Geometry.h"

#include <string_view>

namespace orlenza {

class DefaultGeometry final : public ParameterLessGeometry<DefaultGeometry> {
 public:
  static constexpr std::string_view k_identifier = "geom_null";

  std::string const& getIdentifier() const override;
  Coord2D getMappedCoords(Coord2D const& p) const override { return p; }
  bool hasProperInverse() const override { return true; }
  Coord2D getInverseCoords(Coord2D const& p) const override { return p; }
  // Nothing of a default geometry matters, so its copies are fresh defaults.
  std::shared_ptr<Geometry> clone() const override;
  std::shared_ptr<Geometry> morphTowardsSameClass(Geometry const& other, double t) const override;
};

}  // namespace orlenza
