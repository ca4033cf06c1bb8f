#pragma once
// A swirl: points turn about the centre by twist * pi * (r / R)^exponent, so the
// turn grows with the distance. The inverse turns back.

#include "core/geometry/Geometry.h"

#include <string_view>

namespace orlenza {

class GeometrySwirl final : public GeometryOf<GeometrySwirl> {
 public:
  static constexpr std::string_view k_identifier = "geom_swirl";

  std::string const& getIdentifier() const override;
  Coord2D getMappedCoords(Coord2D const& p) const override;
  bool hasProperInverse() const override { return true; }
  Coord2D getInverseCoords(Coord2D const& p) const override;
  std::shared_ptr<Geometry> morphTowardsSameClass(Geometry const& other, double t) const override;

  double getTwist() const { return m_twist; }
  double getExponent() const { return m_exponent; }
  void setTwist(double value) { m_twist = value; }
  void setExponent(double value) { m_exponent = value; }

 protected:
  bool isEqual_(Geometry const& other) const override;
  void outputParameters(std::ostream& os) const override;
  void inputParameters(std::istream& is) override;

 private:
  double m_twist = -0.75;
  double m_exponent = 2.0;
};

}  // namespace orlenza
