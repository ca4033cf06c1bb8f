#include "core/panes/PaneRegistration.h"

#include "core/generators/Biomorph/ParameterPaneBiomorph.h"
#include "core/generators/Curves/ParameterPaneCurves.h"
#include "core/generators/DynSys/ParameterPaneDynSys.h"
#include "core/generators/EscapeTime/ParameterPaneEscapeParams.h"
#include "core/generators/Grid/ParameterPaneGrid.h"
#include "core/generators/Halley/ParameterPaneHalley.h"
#include "core/generators/Mandala/ParameterPaneMandala.h"
#include "core/generators/OrbitFractal/ParameterPaneOrbitFractal.h"
#include "core/generators/PhasePlane/ParameterPanePhasePlane.h"
#include "core/generators/Perlin/ParameterPanePerlin.h"
#include "core/generators/Quot/ParameterPaneQuot.h"
#include "core/generators/Sines/ParameterPaneItSines.h"
#include "core/panes/GeometryPanes.h"

namespace orlenza {

// Generators of the catalogue without a line here have no pane yet.
void registerAllPanes() {
  ParameterPaneEscapeParams::registerCreator();
  ParameterPaneHalley::registerCreator();
  ParameterPaneBiomorph::registerCreator();
  ParameterPaneDynFractal::registerCreator();
  ParameterPaneGumFractal::registerCreator();
  ParameterPaneMandala::registerCreator();
  ParameterPaneItSines::registerCreator();
  ParameterPaneQuot::registerCreator();
  ParameterPanePerlin::registerCreator();
  ParameterPaneDSSqrt::registerCreator();
  ParameterPaneDSSinCos::registerCreator();
  ParameterPaneDSSinSin::registerCreator();
  ParameterPaneDSSin23::registerCreator();
  ParameterPaneDSSinXY::registerCreator();
  ParameterPaneDSHop::registerCreator();
  ParameterPaneDSGumowski::registerCreator();
  ParameterPanePPxsin::registerCreator();
  ParameterPanePPsinprod::registerCreator();
  ParameterPanePPtan::registerCreator();
  ParameterPaneGrid::registerCreator();
  ParameterPaneCurves::registerCreator();
  registerGeometryPanes();
}

}  // namespace orlenza
