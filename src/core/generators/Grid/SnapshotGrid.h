#pragma once
// The snapshot kind of the grid generator, "Grid": a snapshot holding one
// GridParameters.

#include <memory>
#include <string_view>

#include "core/generators/Grid/GridParameters.h"
#include "core/model/SnapshotKind.h"

namespace orlenza {

class SnapshotGrid final : public SnapshotKind<SnapshotGrid, GridParameters> {
 public:
  static constexpr std::string_view kIdentifier = "Grid";

  using SnapshotKind::SnapshotKind;
  SnapshotGrid() = default;
  SnapshotGrid(SnapshotGrid const&) = default;
};

// The creator: default core, default parameters, empty name.
std::shared_ptr<Snapshot> MakeNewSnapshotGrid();

}  // namespace orlenza
