#pragma once
// An exponential lens: outside the working radius (everywhere without keepInside)
// distances from the centre grow as 2^((r / R - 1) * strength); inside they stay.

#include "core/geometry/Geometry.h"

#include <string_view>

namespace orlenza {

class GeometrySphere final : public GeometryOf<GeometrySphere> {
 public:
  static constexpr std::string_view k_identifier = "geom_sphere";

  GeometrySphere();  // radius 0.5, strength 2, keepInside
  GeometrySphere(double strength, bool keepInside);  // radius 0.5

  std::string const& getIdentifier() const override;
  Coord2D getMappedCoords(Coord2D const& p) const override;
  bool hasProperInverse() const override { return true; }
  Coord2D getInverseCoords(Coord2D const& p) const override;
  std::shared_ptr<Geometry> morphTowardsSameClass(Geometry const& other, double t) const override;

  double getStrength() const { return m_strength; }
  bool getKeepInside() const { return m_keepInside; }
  void setStrength(double value) { m_strength = value; }
  void setKeepInside(bool value) { m_keepInside = value; }

 protected:
  bool isEqual_(Geometry const& other) const override;
  void outputParameters(std::ostream& os) const override;
  void inputParameters(std::istream& is) override;

 private:
  double m_strength = 2.0;
  bool m_keepInside = true;
};

}  // namespace orlenza
