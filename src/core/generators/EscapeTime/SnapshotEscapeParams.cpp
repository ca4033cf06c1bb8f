#include "core/generators/EscapeTime/SnapshotEscapeParams.h"

namespace orlenza {

std::shared_ptr<Snapshot> MakeNewSnapshotEscapeParams() { return SnapshotEscapeParams::makeNew(); }

}  // namespace orlenza
