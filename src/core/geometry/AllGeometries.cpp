// The one list of geometries, in the order the geometry pop-up shows them.

#include "core/geometry/DefaultGeometry.h"
#include "core/geometry/GeometryDisk.h"
#include "core/geometry/GeometryFactory.h"
#include "core/geometry/GeometryInverse.h"
#include "core/geometry/GeometryNfold.h"
#include "core/geometry/GeometrySphere.h"
#include "core/geometry/GeometrySquared.h"
#include "core/geometry/GeometrySwirl.h"

namespace orlenza {

namespace {

template <class G>
std::unique_ptr<Geometry> create() {
  return std::make_unique<G>();
}

template <class G>
void add() {
  GeometryFactory::registerCreator(std::string(G::k_identifier), &create<G>);
}

}  // namespace

void registerAllGeometries() {
  add<DefaultGeometry>();
  add<GeometryDisk>();
  add<GeometryInverse>();
  add<GeometryNfold>();
  add<GeometrySphere>();
  add<GeometrySquared>();
  add<GeometrySwirl>();
}

}  // namespace orlenza
