#pragma once
// The panes of one place in the main window (generator panes or geometry
// panes): one shown at a time, each created on first use and kept, so that a
// generator's pane still holds the snapshot the user last had in it.

#include <map>
#include <memory>
#include <string>

#include "core/panes/AbstractParameterPane.h"

namespace orlenza {

class ParameterPane;
class Snapshot;

class ParameterPaneGroup {
 public:
  // Makes identifier's pane current and shown, creating it through the
  // factory on first use; the pane shown before is hidden. Raises
  // PlatformError (status 0) for an identifier without a pane, changing nothing.
  AbstractParameterPane& switchToPane(std::string const& identifier, PaneListener* listener = nullptr);

  // Switches to a generator's pane and answers the snapshot to show: the one
  // associated with the pane, or else its default snapshot, which becomes
  // associated. Raises PlatformError (status 0) for a geometry pane.
  std::shared_ptr<Snapshot> switchToGenerator(std::string const& identifier, PaneListener* listener = nullptr);

  std::string const& currentIdentifier() const { return m_currentIdentifier; }
  AbstractParameterPane* currentPane() const { return m_currentPane; }
  // The current pane as a generator pane, or null.
  ParameterPane* currentParameterPane() const;
  // The pane created for identifier, or null when it was never switched to.
  AbstractParameterPane* findPane(std::string const& identifier) const;

 private:
  std::map<std::string, std::unique_ptr<AbstractParameterPane>> m_panes;
  std::string m_currentIdentifier;
  AbstractParameterPane* m_currentPane = nullptr;
};

}  // namespace orlenza
