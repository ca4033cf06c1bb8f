#pragma once
// The registry of parameter panes, keyed by the identifier of a snapshot kind
// (generator panes) or of a geometry (geometry panes). Unlike the other
// registries a second creator for an identifier replaces the first.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/panes/AbstractParameterPane.h"

namespace orlenza {

class ParameterPane;
class GeometryPane;

class ParameterPaneFactory {
 public:
  using Creator = std::unique_ptr<AbstractParameterPane> (*)();

  // Inserts, or replaces the creator already registered; always true.
  static bool registerCreator(std::string const& identifier, Creator creator);
  static bool isRegistered(std::string const& identifier);
  // The registered identifiers in key order.
  static std::vector<std::string> getIdentifiers();

  // A new pane reporting to listener (which may be null). An identifier that
  // is not registered raises PlatformError with status 0.
  static std::unique_ptr<AbstractParameterPane> makeNewPane(std::string const& identifier,
                                                            PaneListener* listener = nullptr);
  // The same, for callers that need the generator or geometry side; a pane of
  // the other side raises PlatformError with status 0 too.
  static std::unique_ptr<ParameterPane> makeNewParameterPane(std::string const& identifier,
                                                             PaneListener* listener = nullptr);
  static std::unique_ptr<GeometryPane> makeNewGeometryPane(std::string const& identifier,
                                                           PaneListener* listener = nullptr);

 private:
  static std::map<std::string, Creator>& creators();
};

}  // namespace orlenza
