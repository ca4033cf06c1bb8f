#pragma once
// The snapshot kind of the iterated-sines generator, "ItSines": a snapshot
// holding one ItSinesParameters.

#include <memory>
#include <string_view>

#include "core/generators/Sines/ItSinesParameters.h"
#include "core/model/SnapshotKind.h"

namespace orlenza {

class SnapshotItSines final : public SnapshotKind<SnapshotItSines, ItSinesParameters> {
 public:
  static constexpr std::string_view kIdentifier = "ItSines";

  using SnapshotKind::SnapshotKind;
  SnapshotItSines() = default;
  SnapshotItSines(SnapshotItSines const&) = default;
};

// The creator: default core, default parameters, empty name.
std::shared_ptr<Snapshot> MakeNewSnapshotSines();

}  // namespace orlenza
