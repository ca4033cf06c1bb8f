#pragma once
// The snapshot kind of the Halley generator, "Halley": a snapshot holding one
// HalleyParameters.

#include <memory>
#include <string_view>

#include "core/generators/Halley/HalleyParameters.h"
#include "core/model/SnapshotKind.h"

namespace orlenza {

inline constexpr std::string_view k_idHalley = "Halley";

class SnapshotHalley final : public SnapshotKind<SnapshotHalley, HalleyParameters> {
 public:
  static constexpr std::string_view kIdentifier = k_idHalley;

  using SnapshotKind::SnapshotKind;
  SnapshotHalley() = default;
  SnapshotHalley(SnapshotHalley const&) = default;
};

// The creator: default core, default parameters, empty name.
std::shared_ptr<Snapshot> MakeNewSnapshotHalley();

}  // namespace orlenza
