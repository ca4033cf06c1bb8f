#pragma once
// A geometry's pane: the fields every geometry has (centre and radius with
// their kinds) followed by the geometry's own parameters, and the translation
// between them and a geometry.

#include <cstddef>
#include <memory>
#include <vector>

#include "core/panes/AbstractParameterPane.h"

namespace orlenza {

class Geometry;
class SnapshotCore;

class GeometryPane : public AbstractParameterPane {
 public:
  // Fields 0 ... 4, shared by every geometry pane; own parameters follow.
  enum BaseField : std::size_t { kCenterIsAbsolute, kCenterX, kCenterY, kRadiusIsAbsolute, kRadius, kOwnFields };

  // Shows the geometry in the fields; its own parameters only when it is of
  // the pane's class.
  void updateFromGeometry(Geometry const& geometry);
  // A new geometry of the pane's class built from the fields; null when the
  // pane's class cannot be made.
  std::shared_ptr<Geometry> makeGeometry() const;
  // A new geometry of the pane's class with its defaults; null as above.
  std::shared_ptr<Geometry> getDefaultGeometry() const { return newGeometry(); }
  // Puts the geometry of the fields into the core (nothing when there is none).
  void updateToGeometry(SnapshotCore& core) const;

 protected:
  explicit GeometryPane(std::vector<PaneField> ownFields);

  virtual std::shared_ptr<Geometry> newGeometry() const = 0;
  // Own parameters between the fields from kOwnFields on and a geometry of the
  // pane's class (the caller has checked the class).
  virtual void showOwnParameters(Geometry const&) {}
  virtual void readOwnParameters(Geometry&) const {}
  // True when the geometry is of the pane's class.
  virtual bool isOwnClass(Geometry const& geometry) const = 0;
};

}  // namespace orlenza
