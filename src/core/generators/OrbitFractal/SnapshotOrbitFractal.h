#pragma once
// The snapshot kinds of the orbit fractals, "DynFractal" and "GumFractal":
// a snapshot holding one parameter block, whose default core shows the
// kind's view and norm through a gradation of coloured bands.

#include <istream>
#include <memory>
#include <string>
#include <string_view>

#include "core/generators/OrbitFractal/OrbitFractalParameters.h"
#include "core/model/SnapshotKind.h"

namespace orlenza {

// The default core of a kind: its view and norm, the eleven-key band gradation.
void setUpOrbitFractalCore(SnapshotCore& core, orbitfractal::ViewValues const& view, double norm);

template <class Derived, class Map>
class SnapshotOrbitFractal : public SnapshotKind<Derived, OrbitFractalParameters<Map>> {
  using Base = SnapshotKind<Derived, OrbitFractalParameters<Map>>;

 public:
  using MapType = Map;
  static constexpr std::string_view kIdentifier = Map::kIdentifier;

  SnapshotOrbitFractal() { setUpOrbitFractalCore(this->getCore(), Map::kSnapshotView, Map::kNorm); }
  SnapshotOrbitFractal(std::string const& name, SnapshotCore const& core, OrbitFractalParameters<Map> const& params)
      : Base(name, core, params) {}

  // Old records of a kind may lack the count and the analyzer.
  void inputParameters(std::istream& is) override {
    this->getParameters().inputParameters(is, Map::kOldRecordsHoldCount || this->getVersion() > 2);
  }

 protected:
  SnapshotOrbitFractal(SnapshotOrbitFractal const&) = default;
};

class SnapshotDynFractal final : public SnapshotOrbitFractal<SnapshotDynFractal, DynFractalMap> {
 public:
  using SnapshotOrbitFractal::SnapshotOrbitFractal;
  SnapshotDynFractal() = default;
  SnapshotDynFractal(SnapshotDynFractal const&) = default;
};

class SnapshotGumFractal final : public SnapshotOrbitFractal<SnapshotGumFractal, GumFractalMap> {
 public:
  using SnapshotOrbitFractal::SnapshotOrbitFractal;
  SnapshotGumFractal() = default;
  SnapshotGumFractal(SnapshotGumFractal const&) = default;
};

// The creators: default core of the kind, default parameters, empty name.
std::shared_ptr<Snapshot> MakeNewSnapshotDynFractal();
std::shared_ptr<Snapshot> MakeNewSnapshotGumFractal();

}  // namespace orlenza
