#pragma once
// The snapshot kind of the escape-time generator, "EscParams": a snapshot
// holding one EscapeParameters.

#include <memory>
#include <string_view>

#include "core/generators/EscapeTime/EscapeParameters.h"
#include "core/model/SnapshotKind.h"

namespace orlenza {

class SnapshotEscapeParams final : public SnapshotKind<SnapshotEscapeParams, EscapeParameters> {
 public:
  static constexpr std::string_view kIdentifier = "EscParams";

  using SnapshotKind::SnapshotKind;
  SnapshotEscapeParams() = default;
  SnapshotEscapeParams(SnapshotEscapeParams const&) = default;
};

// The creator: default core, default parameters, empty name.
std::shared_ptr<Snapshot> MakeNewSnapshotEscapeParams();

}  // namespace orlenza
