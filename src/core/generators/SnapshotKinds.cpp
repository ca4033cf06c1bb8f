#include "core/generators/SnapshotKinds.h"

#include "core/generators/Biomorph/SnapshotBiomorph.h"
#include "core/generators/Curves/SnapshotCurves.h"
#include "core/generators/DynSys/SnapshotDynSys.h"
#include "core/generators/EscapeTime/SnapshotEscapeParams.h"
#include "core/generators/Grid/SnapshotGrid.h"
#include "core/generators/Halley/SnapshotHalley.h"
#include "core/generators/Mandala/SnapshotMandala.h"
#include "core/generators/OrbitFractal/SnapshotOrbitFractal.h"
#include "core/generators/PhasePlane/SnapshotPhasePlane.h"
#include "core/generators/Perlin/SnapshotPerlin.h"
#include "core/generators/Quot/SnapshotQuot.h"
#include "core/generators/Sines/SnapshotItSines.h"

namespace orlenza {

void registerAllSnapshotKinds() {
  // In catalogue order: "Biomorph", "Curves", the seven "DynSys-..." kinds,
  // "DynFractal", "EscParams", "Grid", "GumFractal", "Halley", "ItSines",
  // "Mandal", "Perlin", the three "PhasePlane-..." kinds, "Quot". Each kind
  // takes its place in this order as its generator is added.
  SnapshotBiomorph::registerCreator();
  SnapshotCurves::registerCreator();
  SnapshotDSGumowski::registerCreator();
  SnapshotDSHop::registerCreator();
  SnapshotDSSin23::registerCreator();
  SnapshotDSSinCos::registerCreator();
  SnapshotDSSinSin::registerCreator();
  SnapshotDSSinXY::registerCreator();
  SnapshotDSSqrt::registerCreator();
  SnapshotDynFractal::registerCreator();
  SnapshotEscapeParams::registerCreator();
  SnapshotGumFractal::registerCreator();
  SnapshotGrid::registerCreator();
  SnapshotHalley::registerCreator();
  SnapshotItSines::registerCreator();
  SnapshotMandala::registerCreator();
  SnapshotPPsinprod::registerCreator();
  SnapshotPPxsin::registerCreator();
  SnapshotPPtan::registerCreator();
  SnapshotPerlin::registerCreator();
  SnapshotQuot::registerCreator();
}

}  // namespace orlenza
