#include "core/generators/Biomorph/SnapshotBiomorph.h"

namespace orlenza {

std::shared_ptr<Snapshot> MakeNewSnapshotBiomorph() { return SnapshotBiomorph::makeNew(); }

}  // namespace orlenza
