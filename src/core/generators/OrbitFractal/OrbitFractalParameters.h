#pragma once
// The parameter block of an orbit fractal: the map's three coefficients, the
// number of orbit points per sample and the orbit analyzer that reads them.

#include <iosfwd>
#include <string>

#include "core/engine/OrbitAnalyzer.h"
#include "core/generators/OrbitFractal/OrbitFractalMaps.h"
#include "core/model/SnapshotParameters.h"

namespace orlenza {

template <class Map>
class OrbitFractalParameters final : public SnapshotParameters {
 public:
  // The range a pane writes. A record keeps any whole count: a huge one
  // computes, slowly but cancellably.
  static constexpr int kMinIterations = 1;
  static constexpr int kMaxIterations = 10000;
  static constexpr unsigned kCount = 3;

  OrbitFractalParameters();
  OrbitFractalParameters(OrbitFractalParameters const&) = default;
  OrbitFractalParameters& operator=(OrbitFractalParameters const&) = default;

  unsigned getNumParameters() const override { return kCount; }
  // Both throw std::out_of_range (Map::kRangeError) past index 2.
  double getParameter(unsigned long i) const override;
  void setParameter(unsigned long i, double value) override;
  void forceValid() {}

  int getIterations() const { return m_iterations; }
  void setIterations(long long count) { m_iterations = clampIterations(count); }  // as a pane writes it
  static int clampIterations(long long count);
  // A count given as a number: truncated toward zero into the int range; false for NaN.
  static bool iterationsFromNumber(double count, int* iterations);

  std::string analyzerID = k_idDistanceAnalyzer;

  // p0, p1, p2, the count, the analyzer; each followed by one blank.
  void outputParameters(std::ostream& os) const;
  // Reads all five, or (withCountAndAnalyzer false) the coefficients alone,
  // the rest keeping their defaults. The count is a whole number, kept as
  // read; a decimal fails. All or nothing: on a bad or missing token the
  // stream fails and nothing changes.
  void inputParameters(std::istream& is, bool withCountAndAnalyzer);
  void inputParameters(std::istream& is) { inputParameters(is, true); }

  // This block becomes the morph of a towards b by t: the defaults with the
  // coefficients and the count linear (the count truncated, a's
  // when it is no number) and the default analyzer.
  void morph(OrbitFractalParameters const& a, OrbitFractalParameters const& b, double t);

 private:
  double m_values[kCount];
  int m_iterations = Map::kDefaultIterations;
};

// Coefficients within paramsAreEqual, the same count and analyzer.
template <class Map>
bool operator==(OrbitFractalParameters<Map> const& a, OrbitFractalParameters<Map> const& b) {
  return static_cast<SnapshotParameters const&>(a) == static_cast<SnapshotParameters const&>(b) &&
         a.getIterations() == b.getIterations() && a.analyzerID == b.analyzerID;
}

using DynFractalParameters = OrbitFractalParameters<DynFractalMap>;
using GumFractalParameters = OrbitFractalParameters<GumFractalMap>;

extern template class OrbitFractalParameters<DynFractalMap>;
extern template class OrbitFractalParameters<GumFractalMap>;

}  // namespace orlenza
