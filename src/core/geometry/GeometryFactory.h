#pragma once
// Creates geometries by identifier ("geom_null", "geom_nfold", ...), for the
// readers of snapshot records and for the geometry pop-up. Filled once at start-up
// by registerAllGeometries().

#include "core/geometry/Geometry.h"

#include <iosfwd>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace orlenza {

// Raised by makeNewGeometry for an identifier nobody registered.
class UnknownGeometryError : public std::runtime_error {
 public:
  explicit UnknownGeometryError(std::string identifier);
  std::string const& identifier() const { return m_identifier; }

 private:
  std::string m_identifier;
};

class GeometryFactory {
 public:
  using Creator = std::unique_ptr<Geometry> (*)();

  // Adds a creator; false (and nothing changes) if the identifier is taken or the
  // creator is null.
  static bool registerCreator(std::string const& identifier, Creator creator);

  // A new geometry with its class's defaults and the given record version.
  // Throws UnknownGeometryError (a std::exception) for an unknown identifier.
  static std::shared_ptr<Geometry> makeNewGeometry(std::string const& identifier, int version);
  // The same, answering null instead of throwing.
  static std::shared_ptr<Geometry> tryMakeNewGeometry(std::string const& identifier, int version);

  static bool isRegistered(std::string const& identifier);
  // Every registered identifier, in registration order.
  static std::vector<std::string> getIdentifiers();

  // Reads a whole geometry block (identifier first, then the geometry's text
  // form). Answers null with failbit set on an unknown identifier or a bad token,
  // and null without touching the stream if it had already failed.
  static std::shared_ptr<Geometry> readGeometry(std::istream& is, int version);
};

// Registers the seven geometries in catalogue order. Called once at start-up;
// calling it again changes nothing.
void registerAllGeometries();

}  // namespace orlenza
