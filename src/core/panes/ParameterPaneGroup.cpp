#include "core/panes/ParameterPaneGroup.h"

#include "core/base/PlatformError.h"
#include "core/panes/ParameterPane.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {

AbstractParameterPane& ParameterPaneGroup::switchToPane(std::string const& identifier, PaneListener* listener) {
  auto found = m_panes.find(identifier);
  if (found == m_panes.end())
    found = m_panes.emplace(identifier, ParameterPaneFactory::makeNewPane(identifier, listener)).first;
  AbstractParameterPane& pane = *found->second;
  if (listener) pane.setListener(listener);
  if (m_currentPane && m_currentPane != &pane) m_currentPane->setShown(false);
  pane.setShown(true);
  m_currentIdentifier = identifier;
  m_currentPane = &pane;
  return pane;
}

std::shared_ptr<Snapshot> ParameterPaneGroup::switchToGenerator(std::string const& identifier,
                                                                PaneListener* listener) {
  if (!findPane(identifier)) {
    // Make sure it is a generator pane before the group takes it.
    auto probe = ParameterPaneFactory::makeNewParameterPane(identifier, listener);
    m_panes.emplace(identifier, std::move(probe));
  }
  auto* pane = dynamic_cast<ParameterPane*>(findPane(identifier));
  if (!pane) throw ORLENZA_PLATFORM_ERROR(0);
  switchToPane(identifier, listener);
  if (!pane->getAssociatedSnap()) pane->associateSnap(pane->getDefaultSnapshot());
  return pane->getAssociatedSnap();
}

ParameterPane* ParameterPaneGroup::currentParameterPane() const {
  return dynamic_cast<ParameterPane*>(m_currentPane);
}

AbstractParameterPane* ParameterPaneGroup::findPane(std::string const& identifier) const {
  auto const found = m_panes.find(identifier);
  return found == m_panes.end() ? nullptr : found->second.get();
}

}  // namespace orlenza
