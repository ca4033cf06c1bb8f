#pragma once
// The one list of snapshot kinds: every generator's kind registered with the
// snapshot factory, in catalogue order.

namespace orlenza {

// Called once at start-up; calling it again changes nothing.
void registerAllSnapshotKinds();

}  // namespace orlenza
