#include "core/generators/Perlin/SnapshotPerlin.h"

namespace orlenza {

SnapshotPerlin::SnapshotPerlin() { getCore().setView(defaultView()); }

View SnapshotPerlin::defaultView() { return View(4, 3, 5, 0, false, false); }

std::shared_ptr<Snapshot> MakeNewSnapshotPerlin() { return SnapshotPerlin::makeNew(); }

}  // namespace orlenza
