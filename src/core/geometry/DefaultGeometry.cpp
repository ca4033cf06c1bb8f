#include "core/geometry/DefaultGeometry.h"

namespace orlenza {

std::string const& DefaultGeometry::getIdentifier() const {
  static std::string const identifier(k_identifier);
  return identifier;
}

std::shared_ptr<Geometry> DefaultGeometry::clone() const { return std::make_shared<DefaultGeometry>(); }

std::shared_ptr<Geometry> DefaultGeometry::morphTowardsSameClass(Geometry const&, double) const { return clone(); }

}  // namespace orlenza
