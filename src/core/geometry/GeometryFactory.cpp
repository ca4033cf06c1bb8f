#include "core/geometry/GeometryFactory.h"

#include "core/base/TextIO.h"

#include <algorithm>
#include <istream>
#include <mutex>
#include <utility>

namespace orlenza {

UnknownGeometryError::UnknownGeometryError(std::string identifier)
    : std::runtime_error("unknown geometry '" + identifier + "'"), m_identifier(std::move(identifier)) {}

namespace {

struct Registry {
  std::mutex mutex;
  std::vector<std::pair<std::string, GeometryFactory::Creator>> creators;  // registration order

  GeometryFactory::Creator find(std::string const& identifier) const {
    auto it = std::find_if(creators.begin(), creators.end(), [&](auto const& e) { return e.first == identifier; });
    return it == creators.end() ? nullptr : it->second;
  }
};

Registry& registry() {
  static Registry instance;
  return instance;
}

}  // namespace

bool GeometryFactory::registerCreator(std::string const& identifier, Creator creator) {
  if (creator == nullptr) return false;
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  if (r.find(identifier) != nullptr) return false;
  r.creators.emplace_back(identifier, creator);
  return true;
}

std::shared_ptr<Geometry> GeometryFactory::tryMakeNewGeometry(std::string const& identifier, int version) {
  Creator creator = nullptr;
  {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    creator = r.find(identifier);
  }
  if (creator == nullptr) return nullptr;
  std::shared_ptr<Geometry> geometry = creator();
  if (geometry) geometry->setVersion(version);
  return geometry;
}

std::shared_ptr<Geometry> GeometryFactory::makeNewGeometry(std::string const& identifier, int version) {
  auto geometry = tryMakeNewGeometry(identifier, version);
  if (!geometry) throw UnknownGeometryError(identifier);
  return geometry;
}

bool GeometryFactory::isRegistered(std::string const& identifier) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  return r.find(identifier) != nullptr;
}

std::vector<std::string> GeometryFactory::getIdentifiers() {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  std::vector<std::string> identifiers;
  identifiers.reserve(r.creators.size());
  for (auto const& entry : r.creators) identifiers.push_back(entry.first);
  return identifiers;
}

std::shared_ptr<Geometry> GeometryFactory::readGeometry(std::istream& is, int version) {
  std::string identifier;
  if (!text::readWord(is, identifier)) return nullptr;
  auto geometry = tryMakeNewGeometry(identifier, version);
  if (!geometry) {
    is.setstate(std::ios::failbit);
    return nullptr;
  }
  is >> *geometry;
  if (!is) return nullptr;
  return geometry;
}

}  // namespace orlenza
