#include "core/generators/Curves/SnapshotCurves.h"

namespace orlenza {

std::shared_ptr<Snapshot> MakeNewSnapshotCurves() { return SnapshotCurves::makeNew(); }

}  // namespace orlenza
