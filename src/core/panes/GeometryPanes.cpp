#include "core/panes/GeometryPanes.h"

#include <climits>

#include "core/geometry/DefaultGeometry.h"
#include "core/geometry/GeometryDisk.h"
#include "core/geometry/GeometryFactory.h"
#include "core/geometry/GeometryInverse.h"
#include "core/geometry/GeometryNfold.h"
#include "core/geometry/GeometrySphere.h"
#include "core/geometry/GeometrySquared.h"
#include "core/geometry/GeometrySwirl.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {

namespace {

template <class Pane>
std::unique_ptr<AbstractParameterPane> create() {
  return std::make_unique<Pane>();
}

}  // namespace

GeomNFoldPane::GeomNFoldPane()
    : GeometryPane({
          {.labelKey = "lbl_geom_folds", .kind = FieldKind::Integer, .minimum = 0, .maximum = 4294967295.0},
          {.labelKey = "lbl_geom_mirror", .kind = FieldKind::CheckBox},
          {.labelKey = "lbl_geom_phase", .kind = FieldKind::Double},
      }) {}

std::shared_ptr<Geometry> GeomNFoldPane::newGeometry() const { return std::make_shared<GeometryNfold>(); }

bool GeomNFoldPane::isOwnClass(Geometry const& geometry) const {
  return dynamic_cast<GeometryNfold const*>(&geometry) != nullptr;
}

void GeomNFoldPane::showOwnParameters(Geometry const& geometry) {
  auto const& nfold = static_cast<GeometryNfold const&>(geometry);
  setIntegerField(kFolds, nfold.getFolds());
  setCheckField(kMirror, nfold.getMirror());
  setDoubleField(kPhase, nfold.getPhase());
}

void GeomNFoldPane::readOwnParameters(Geometry& geometry) const {
  auto& nfold = static_cast<GeometryNfold&>(geometry);
  nfold.setFolds(static_cast<unsigned int>(integerFieldValue(kFolds)));
  nfold.setMirror(checkFieldValue(kMirror));
  nfold.setPhase(doubleFieldValue(kPhase));
}

GeomSpherePane::GeomSpherePane()
    : GeometryPane({
          {.labelKey = "lbl_geom_strength", .kind = FieldKind::Double},
          {.labelKey = "lbl_geom_keepInside", .kind = FieldKind::CheckBox},
      }) {}

std::shared_ptr<Geometry> GeomSpherePane::newGeometry() const { return std::make_shared<GeometrySphere>(); }

bool GeomSpherePane::isOwnClass(Geometry const& geometry) const {
  return dynamic_cast<GeometrySphere const*>(&geometry) != nullptr;
}

void GeomSpherePane::showOwnParameters(Geometry const& geometry) {
  auto const& sphere = static_cast<GeometrySphere const&>(geometry);
  setDoubleField(kStrength, sphere.getStrength());
  setCheckField(kKeepInside, sphere.getKeepInside());
}

void GeomSpherePane::readOwnParameters(Geometry& geometry) const {
  auto& sphere = static_cast<GeometrySphere&>(geometry);
  sphere.setStrength(doubleFieldValue(kStrength));
  sphere.setKeepInside(checkFieldValue(kKeepInside));
}

GeomSquaredPane::GeomSquaredPane()
    : GeometryPane({
          {.labelKey = "lbl_geom_power", .kind = FieldKind::Integer, .minimum = INT_MIN, .maximum = INT_MAX},
      }) {}

std::shared_ptr<Geometry> GeomSquaredPane::newGeometry() const { return std::make_shared<GeometrySquared>(); }

bool GeomSquaredPane::isOwnClass(Geometry const& geometry) const {
  return dynamic_cast<GeometrySquared const*>(&geometry) != nullptr;
}

void GeomSquaredPane::showOwnParameters(Geometry const& geometry) {
  setIntegerField(kPower, static_cast<GeometrySquared const&>(geometry).getPower());
}

void GeomSquaredPane::readOwnParameters(Geometry& geometry) const {
  static_cast<GeometrySquared&>(geometry).setPower(static_cast<int>(integerFieldValue(kPower)));
}

GeomSwirlPane::GeomSwirlPane()
    : GeometryPane({
          {.labelKey = "lbl_geom_twist", .kind = FieldKind::Double},
          {.labelKey = "lbl_geom_exponent", .kind = FieldKind::Double},
      }) {}

std::shared_ptr<Geometry> GeomSwirlPane::newGeometry() const { return std::make_shared<GeometrySwirl>(); }

bool GeomSwirlPane::isOwnClass(Geometry const& geometry) const {
  return dynamic_cast<GeometrySwirl const*>(&geometry) != nullptr;
}

void GeomSwirlPane::showOwnParameters(Geometry const& geometry) {
  auto const& swirl = static_cast<GeometrySwirl const&>(geometry);
  setDoubleField(kTwist, swirl.getTwist());
  setDoubleField(kExponent, swirl.getExponent());
}

void GeomSwirlPane::readOwnParameters(Geometry& geometry) const {
  auto& swirl = static_cast<GeometrySwirl&>(geometry);
  swirl.setTwist(doubleFieldValue(kTwist));
  swirl.setExponent(doubleFieldValue(kExponent));
}

std::shared_ptr<Geometry> GeomSinePane::newGeometry() const {
  return GeometryFactory::tryMakeNewGeometry("geom_sine", 0);
}

bool GeomSinePane::isOwnClass(Geometry const& geometry) const { return geometry.getIdentifier() == "geom_sine"; }

void registerGeometryPanes() {
  ParameterPaneFactory::registerCreator("geom_null", &create<GeomNullPane>);
  ParameterPaneFactory::registerCreator("geom_nfold", &create<GeomNFoldPane>);
  ParameterPaneFactory::registerCreator("geom_inverse", &create<GeomInversePane>);
  ParameterPaneFactory::registerCreator("geom_sphere", &create<GeomSpherePane>);
  ParameterPaneFactory::registerCreator("geom_squared", &create<GeomSquaredPane>);
  ParameterPaneFactory::registerCreator("geom_disk", &create<GeomDiskPane>);
  ParameterPaneFactory::registerCreator("geom_swirl", &create<GeomSwirlPane>);
}

}  // namespace orlenza
