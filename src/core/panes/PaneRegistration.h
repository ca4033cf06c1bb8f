#pragma once
// The one list of parameter panes: every generator pane that is built, in
// catalogue order, then the geometry panes.

namespace orlenza {

void registerAllPanes();

}  // namespace orlenza
