#include "core/panes/ParameterPaneFactory.h"

#include "core/base/PlatformError.h"
#include "core/panes/GeometryPane.h"
#include "core/panes/ParameterPane.h"

namespace orlenza {

namespace {

template <class Pane>
std::unique_ptr<Pane> downcast(std::unique_ptr<AbstractParameterPane> pane) {
  auto* typed = dynamic_cast<Pane*>(pane.get());
  if (!typed) throw ORLENZA_PLATFORM_ERROR(0);
  pane.release();
  return std::unique_ptr<Pane>(typed);
}

}  // namespace

std::map<std::string, ParameterPaneFactory::Creator>& ParameterPaneFactory::creators() {
  static std::map<std::string, Creator> m_creators;
  return m_creators;
}

bool ParameterPaneFactory::registerCreator(std::string const& identifier, Creator creator) {
  creators()[identifier] = creator;
  return true;
}

bool ParameterPaneFactory::isRegistered(std::string const& identifier) {
  return creators().count(identifier) != 0;
}

std::vector<std::string> ParameterPaneFactory::getIdentifiers() {
  std::vector<std::string> identifiers;
  for (auto const& entry : creators()) identifiers.push_back(entry.first);
  return identifiers;
}

std::unique_ptr<AbstractParameterPane> ParameterPaneFactory::makeNewPane(std::string const& identifier,
                                                                         PaneListener* listener) {
  auto const found = creators().find(identifier);
  if (found == creators().end() || !found->second) throw ORLENZA_PLATFORM_ERROR(0);
  auto pane = found->second();
  if (!pane) throw ORLENZA_PLATFORM_ERROR(0);
  pane->setListener(listener);
  return pane;
}

std::unique_ptr<ParameterPane> ParameterPaneFactory::makeNewParameterPane(std::string const& identifier,
                                                                          PaneListener* listener) {
  return downcast<ParameterPane>(makeNewPane(identifier, listener));
}

std::unique_ptr<GeometryPane> ParameterPaneFactory::makeNewGeometryPane(std::string const& identifier,
                                                                        PaneListener* listener) {
  return downcast<GeometryPane>(makeNewPane(identifier, listener));
}

}  // namespace orlenza
