#include "core/panes/PaneRegistration.h"

#include "core/generators/Curves/ParameterPaneCurves.h"
#include "core/generators/DynSys/ParameterPaneDynSys.h"
#include "core/generators/EscapeTime/ParameterPaneEscapeParams.h"
#include "core/generators/Grid/ParameterPaneGrid.h"
#include "core/generators/Halley/ParameterPaneHalley.h"
#include "core/generators/Mandala/ParameterPaneMandala.h"
#include "core/generators/Quot/ParameterPaneQuot.h"
#include "core/generators/Sines/ParameterPaneItSines.h"
#include "core/panes/GeometryPanes.h"

namespace orlenza {

// Generators of the catalogue without a line here have no pane yet.
void registerAllPanes() {
  ParameterPaneEscapeParams::registerCreator();
  ParameterPaneHalley::registerCreator();
  ParameterPaneMandala::registerCreator();
  ParameterPaneItSines::registerCreator();
  ParameterPaneQuot::registerCreator();
  ParameterPaneDSSqrt::registerCreator();
  ParameterPaneDSSinCos::registerCreator();
  ParameterPaneDSSinSin::registerCreator();
  ParameterPaneDSSin23::registerCreator();
  ParameterPaneDSSinXY::registerCreator();
  ParameterPaneDSHop::registerCreator();
  ParameterPaneDSGumowski::registerCreator();
  ParameterPaneGrid::registerCreator();
  ParameterPaneCurves::registerCreator();
  registerGeometryPanes();
}

}  // namespace orlenza
