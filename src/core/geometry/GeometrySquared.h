#pragma once
// The complex power: the offset from the centre, in units of the working radius,
// raised to `power` (2 for any power up to 2), added back to the centre unscaled.

#include "core/geometry/Geometry.h"

#include <string_view>

namespace orlenza {

class GeometrySquared final : public GeometryOf<GeometrySquared> {
 public:
  static constexpr std::string_view k_identifier = "geom_squared";

  GeometrySquared() = default;
  explicit GeometrySquared(int power) : m_power(power) {}

  std::string const& getIdentifier() const override;
  Coord2D getMappedCoords(Coord2D const& p) const override;
  std::shared_ptr<Geometry> morphTowardsSameClass(Geometry const& other, double t) const override;

  int getPower() const { return m_power; }
  void setPower(int value) { m_power = value; }

  // z^power by repeated complex multiplication (z^2 first, then times z), with
  // the result of the plain loop, but without running steps whose outcome is
  // already known (a repeating value), so huge powers stay affordable.
  static Coord2D complexPower(Coord2D z, int power);

 protected:
  bool isEqual_(Geometry const& other) const override;
  void outputParameters(std::ostream& os) const override;
  void inputParameters(std::istream& is) override;

 private:
  int m_power = 2;
};

}  // namespace orlenza
