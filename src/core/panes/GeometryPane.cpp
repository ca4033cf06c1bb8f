#include "core/panes/GeometryPane.h"

#include <utility>

#include "core/geometry/Geometry.h"
#include "core/model/SnapshotCore.h"

namespace orlenza {

namespace {

std::vector<PaneField> withBaseFields(std::vector<PaneField> ownFields) {
  std::vector<PaneField> fields = {
      {.labelKey = "lbl_geom_centerIsAbsolute", .kind = FieldKind::CheckBox},
      {.labelKey = "lbl_geom_centerX", .kind = FieldKind::Double},
      {.labelKey = "lbl_geom_centerY", .kind = FieldKind::Double},
      {.labelKey = "lbl_geom_radiusIsAbsolute", .kind = FieldKind::CheckBox},
      {.labelKey = "lbl_geom_radius", .kind = FieldKind::Double},
  };
  for (auto& field : ownFields) fields.push_back(std::move(field));
  return fields;
}

}  // namespace

GeometryPane::GeometryPane(std::vector<PaneField> ownFields)
    : AbstractParameterPane(withBaseFields(std::move(ownFields))) {}

void GeometryPane::updateFromGeometry(Geometry const& geometry) {
  setCheckField(kCenterIsAbsolute, geometry.getCenterIsAbsolute());
  setDoubleField(kCenterX, geometry.getCenter().x);
  setDoubleField(kCenterY, geometry.getCenter().y);
  setCheckField(kRadiusIsAbsolute, geometry.getRadiusIsAbsolute());
  setDoubleField(kRadius, geometry.getRadius());
  if (isOwnClass(geometry)) showOwnParameters(geometry);
}

std::shared_ptr<Geometry> GeometryPane::makeGeometry() const {
  auto geometry = newGeometry();
  if (!geometry) return nullptr;
  geometry->setCenterIsAbsolute(checkFieldValue(kCenterIsAbsolute));
  geometry->setCenter(Coord2D{doubleFieldValue(kCenterX), doubleFieldValue(kCenterY)});
  geometry->setRadiusIsAbsolute(checkFieldValue(kRadiusIsAbsolute));
  geometry->setRadius(doubleFieldValue(kRadius));
  readOwnParameters(*geometry);
  return geometry;
}

void GeometryPane::updateToGeometry(SnapshotCore& core) const {
  if (auto geometry = makeGeometry()) core.setGeometry(std::move(geometry));
}

}  // namespace orlenza
