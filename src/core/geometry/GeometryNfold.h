#pragma once
// N-fold rotational symmetry: every point is folded into the first of `folds`
// sectors around the centre (and, with mirror, into its first half), so the
// picture repeats `folds` times. phase turns the sectors, in degrees.

#include "core/geometry/Geometry.h"

#include <string_view>

namespace orlenza {

class GeometryNfold final : public GeometryOf<GeometryNfold> {
 public:
  static constexpr std::string_view k_identifier = "geom_nfold";

  GeometryNfold();
  GeometryNfold(unsigned int folds, bool mirror, double phase);

  std::string const& getIdentifier() const override;
  Coord2D getMappedCoords(Coord2D const& p) const override;
  std::shared_ptr<Geometry> morphTowardsSameClass(Geometry const& other, double t) const override;

  unsigned int getFolds() const { return m_folds; }
  bool getMirror() const { return m_mirror; }
  double getPhase() const { return m_phase; }
  void setFolds(unsigned int folds);
  void setMirror(bool mirror) { m_mirror = mirror; }
  // A non-finite phase counts as 0.
  void setPhase(double degrees);

  // Brings radians into [0, 2 pi] as repeatedly adding 2 pi while negative, then
  // subtracting it while above 2 pi would, but in bounded time; NaN stays NaN.
  static double foldIntoTurn(double radians);
  // The k < folds with k * sector <= a < (k + 1) * sector, found in constant time;
  // false when there is none (no folds, or a at the very end of the turn).
  static bool findSector(double a, unsigned int folds, double sector, unsigned int& k);

 protected:
  bool isEqual_(Geometry const& other) const override;
  void outputParameters(std::ostream& os) const override;
  void inputParameters(std::istream& is) override;

 private:
  void updateDerived();

  unsigned int m_folds = 3;
  bool m_mirror = true;
  double m_phase = 0.0;
  // Derived from the three above, so the per-point work is only what varies.
  double m_sector = 0.0;        // 2 pi / folds
  double m_phaseRadians = 0.0;  // phase as radians
  double m_mirrorCos = 1.0;     // the mirror line's reflection matrix
  double m_mirrorSin = 0.0;
};

}  // namespace orlenza
