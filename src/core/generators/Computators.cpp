#include "core/generators/Computators.h"

#include "core/generators/Biomorph/ImageComputatorBiomorph.h"
#include "core/generators/Curves/ImageComputatorCurves.h"
#include "core/generators/DynSys/ImageComputatorDynSys.h"
#include "core/generators/EscapeTime/ImageComputatorEscapeParams.h"
#include "core/generators/Grid/ImageComputatorGrid.h"
#include "core/generators/Halley/ImageComputatorHalley.h"
#include "core/generators/Mandala/ImageComputatorMandala.h"
#include "core/generators/OrbitFractal/ImageComputatorOrbitFractal.h"
#include "core/generators/PhasePlane/ImageComputatorPhasePlane.h"
#include "core/generators/Perlin/ImageComputatorPerlin.h"
#include "core/generators/Quot/ImageComputatorQuot.h"
#include "core/generators/Sines/ImageComputatorItSines.h"

namespace orlenza {

void registerAllComputators() {
  // In catalogue order, one line per generator as it is added, each asking its
  // computator class for its one instance:
  ImageComputatorEscapeParams::instance();
  ImageComputatorHalley::instance();
  ImageComputatorBiomorph::instance();
  ImageComputatorDynFractal::instance();
  ImageComputatorGumFractal::instance();
  ImageComputatorMandala::instance();
  ImageComputatorItSines::instance();
  ImageComputatorQuot::instance();
  ImageComputatorPerlin::instance();
  ImageComputatorDSSqrt::instance();
  ImageComputatorDSSinCos::instance();
  ImageComputatorDSSinSin::instance();
  ImageComputatorDSSin23::instance();
  ImageComputatorDSSinXY::instance();
  ImageComputatorDSHop::instance();
  ImageComputatorDSGumowski::instance();
  ImageComputatorPPxsin::instance();
  ImageComputatorPPsinprod::instance();
  ImageComputatorPPtan::instance();
  ImageComputatorGrid::instance();
  ImageComputatorCurves::instance();
}

}  // namespace orlenza
