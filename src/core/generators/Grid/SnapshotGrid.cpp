#include "core/generators/Grid/SnapshotGrid.h"

namespace orlenza {

std::shared_ptr<Snapshot> MakeNewSnapshotGrid() { return SnapshotGrid::makeNew(); }

}  // namespace orlenza
