#include "core/CoreRegistration.h"

#include "core/engine/Normalizer.h"
#include "core/engine/OrbitAnalyzer.h"
#include "core/engine/Postfiltering.h"
#include "core/geometry/GeometryFactory.h"
#include "core/generators/Computators.h"
#include "core/generators/SnapshotKinds.h"
#include "core/panes/PaneRegistration.h"

#include <mutex>

namespace orlenza {

void registerCoreFamilies() {
  static std::once_flag once;
  std::call_once(once, [] {
    // Family lists are added here as they are built.
    registerAllNormalizers();
    registerAllOrbitAnalyzers();
    registerAllPostfilters();
    registerAllGeometries();
    registerAllSnapshotKinds();
    registerAllComputators();
    registerAllPanes();
  });
}

}  // namespace orlenza
