#pragma once
// The one start-up call that fills every registry of the core: computators,
// normalizers, post-filters, orbit analyzers, geometries, snapshot kinds and panes.
// Each family lists its members in one function; this calls them all once.

namespace orlenza {

void registerCoreFamilies();

}  // namespace orlenza
