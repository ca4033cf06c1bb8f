#pragma once
// The panes of the orbit fractals: the map's three coefficients, the orbit
// length and the orbit analyzer, each with a lock.

#include <cstddef>
#include <memory>

#include "core/generators/OrbitFractal/SnapshotOrbitFractal.h"
#include "core/panes/ParameterPane.h"

namespace orlenza {

template <class Snap>
class ParameterPaneOrbitFractal : public ParameterPane {
 public:
  using Map = typename Snap::MapType;
  using Parameters = OrbitFractalParameters<Map>;

  // Fields: p0, p1, p2, the count, the analyzer.
  static constexpr std::size_t kFirstParameterField = 0;
  static constexpr std::size_t kIterationsField = 3;
  static constexpr std::size_t kAnalyzerField = 4;
  // Lock indices: pi has 101 + i.
  static constexpr int kFirstParameterLock = 101;
  static constexpr int kIterationsLock = Map::kIterationsLock;
  static constexpr int kAnalyzerLock = 700;
  // Draws of an analyzer other than the dwell one before the distance one is taken.
  static constexpr int kAnalyzerDraws = 64;

  ParameterPaneOrbitFractal();

  static bool registerCreator();

  void updateFromSnapshot(Snapshot const& snapshot) override;
  // The count is clamped as its setter clamps.
  void updateToSnapshot(Snapshot& snapshot) const override;
  std::shared_ptr<Snapshot> makeNewSnapshot() const override { return std::make_shared<Snap>(); }
  std::shared_ptr<Snapshot> getDefaultSnapshot() const override { return makeNewSnapshot(); }
  // Coefficients in [-5, 5], a count in [1, 25], any analyzer but the dwell
  // one; the view of the kind's random pictures.
  std::shared_ptr<Snapshot> makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const override;
};

class ParameterPaneDynFractal final : public ParameterPaneOrbitFractal<SnapshotDynFractal> {};
class ParameterPaneGumFractal final : public ParameterPaneOrbitFractal<SnapshotGumFractal> {};

extern template class ParameterPaneOrbitFractal<SnapshotDynFractal>;
extern template class ParameterPaneOrbitFractal<SnapshotGumFractal>;

}  // namespace orlenza
