#pragma once
// The panes of the plane geometries, one per geometry class. The sine pane
// exists but is not registered, so no "geom_sine" pane can be shown.

#include <memory>

#include "core/geometry/DefaultGeometry.h"
#include "core/geometry/GeometryDisk.h"
#include "core/geometry/GeometryInverse.h"
#include "core/panes/GeometryPane.h"

namespace orlenza {

// A pane for a geometry class with no own parameters.
template <class G>
class ParameterLessGeometryPane : public GeometryPane {
 public:
  ParameterLessGeometryPane() : GeometryPane({}) {}

 protected:
  std::shared_ptr<Geometry> newGeometry() const override { return std::make_shared<G>(); }
  bool isOwnClass(Geometry const& geometry) const override { return dynamic_cast<G const*>(&geometry) != nullptr; }
};

class GeomNullPane final : public ParameterLessGeometryPane<DefaultGeometry> {};
class GeomInversePane final : public ParameterLessGeometryPane<GeometryInverse> {};
class GeomDiskPane final : public ParameterLessGeometryPane<GeometryDisk> {};

class GeomNFoldPane final : public GeometryPane {
 public:
  enum OwnField : std::size_t { kFolds = kOwnFields, kMirror, kPhase };
  GeomNFoldPane();

 protected:
  std::shared_ptr<Geometry> newGeometry() const override;
  bool isOwnClass(Geometry const& geometry) const override;
  void showOwnParameters(Geometry const& geometry) override;
  void readOwnParameters(Geometry& geometry) const override;
};

class GeomSpherePane final : public GeometryPane {
 public:
  enum OwnField : std::size_t { kStrength = kOwnFields, kKeepInside };
  GeomSpherePane();

 protected:
  std::shared_ptr<Geometry> newGeometry() const override;
  bool isOwnClass(Geometry const& geometry) const override;
  void showOwnParameters(Geometry const& geometry) override;
  void readOwnParameters(Geometry& geometry) const override;
};

class GeomSquaredPane final : public GeometryPane {
 public:
  enum OwnField : std::size_t { kPower = kOwnFields };
  GeomSquaredPane();

 protected:
  std::shared_ptr<Geometry> newGeometry() const override;
  bool isOwnClass(Geometry const& geometry) const override;
  void showOwnParameters(Geometry const& geometry) override;
  void readOwnParameters(Geometry& geometry) const override;
};

class GeomSwirlPane final : public GeometryPane {
 public:
  enum OwnField : std::size_t { kTwist = kOwnFields, kExponent };
  GeomSwirlPane();

 protected:
  std::shared_ptr<Geometry> newGeometry() const override;
  bool isOwnClass(Geometry const& geometry) const override;
  void showOwnParameters(Geometry const& geometry) override;
  void readOwnParameters(Geometry& geometry) const override;
};

// The sine geometry is not among the registered geometries: its pane makes a
// geometry only if a "geom_sine" creator is registered, and shows the shared
// fields alone.
class GeomSinePane final : public GeometryPane {
 public:
  GeomSinePane() : GeometryPane({}) {}

 protected:
  std::shared_ptr<Geometry> newGeometry() const override;
  bool isOwnClass(Geometry const& geometry) const override;
};

// Registers the seven geometry panes under their geometries' identifiers.
void registerGeometryPanes();

}  // namespace orlenza
