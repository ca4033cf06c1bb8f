#include "core/generators/Computators.h"

namespace orlenza {

void registerAllComputators() {
  // In catalogue order, one line per generator as it is added, each asking its
  // computator class for its one instance:
  //   ImageComputatorEscParams::instance();
}

}  // namespace orlenza
