#include "core/generators/Halley/SnapshotHalley.h"

namespace orlenza {

std::shared_ptr<Snapshot> MakeNewSnapshotHalley() { return SnapshotHalley::makeNew(); }

}  // namespace orlenza
