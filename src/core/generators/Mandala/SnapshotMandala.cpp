#include "core/generators/Mandala/SnapshotMandala.h"

namespace orlenza {

std::shared_ptr<Snapshot> MakeNewSnapshotMandala() { return SnapshotMandala::makeNew(); }

}  // namespace orlenza
