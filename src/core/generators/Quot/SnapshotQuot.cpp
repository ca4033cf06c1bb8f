#include "core/generators/Quot/SnapshotQuot.h"

namespace orlenza {

std::shared_ptr<Snapshot> MakeNewSnapshotQuot() { return SnapshotQuot::makeNew(); }

}  // namespace orlenza
