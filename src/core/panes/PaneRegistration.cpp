#include "core/panes/PaneRegistration.h"

#include "core/generators/EscapeTime/ParameterPaneEscapeParams.h"
#include "core/panes/GeometryPanes.h"

namespace orlenza {

// Generators of the catalogue without a line here have no pane yet.
void registerAllPanes() {
  ParameterPaneEscapeParams::registerCreator();
  registerGeometryPanes();
}

}  // namespace orlenza
