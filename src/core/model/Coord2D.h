#pragma once
// A point of the plane: what the sampler hands to geometries and generators.

namespace orlenza {

struct Coord2D {
  double x = 0.0;
  double y = 0.0;

  friend constexpr bool operator==(Coord2D const&, Coord2D const&) = default;
};

}  // namespace orlenza
