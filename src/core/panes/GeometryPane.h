#pragma once
// A geometry's pane: the fields every geometry has (centre and radius with
// their kinds) followed by the geometry's own parameters, and the translation
// between them and a geometry.

#include <memory>

#include "core/panes/AbstractParameterPane.h"

namespace orlenza {

class Geometry;
class SnapshotCore;

class GeometryPane : public AbstractParameterPane {
 public:
  using AbstractParameterPane::AbstractParameterPane;

  // Shows the geometry in the fields; own parameters only when it is of the
  // pane's class.
  virtual void updateFromGeometry(Geometry const& geometry) = 0;
  // A new geometry of the pane's class built from the fields.
  virtual std::shared_ptr<Geometry> makeGeometry() const = 0;
  // A new geometry of the pane's class with its defaults.
  virtual std::shared_ptr<Geometry> getDefaultGeometry() const = 0;

  // Puts the geometry of the fields into the core.
  void updateToGeometry(SnapshotCore& core) const;
};

}  // namespace orlenza
