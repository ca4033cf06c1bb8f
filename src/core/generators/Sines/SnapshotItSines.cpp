#include "core/generators/Sines/SnapshotItSines.h"

namespace orlenza {

std::shared_ptr<Snapshot> MakeNewSnapshotSines() { return SnapshotItSines::makeNew(); }

}  // namespace orlenza
