#pragma once
// The snapshot kind of the biomorph generator, "Biomorph": a snapshot holding
// one BiomorphParameters.

#include <memory>
#include <string_view>

#include "core/generators/Biomorph/BiomorphParameters.h"
#include "core/model/SnapshotKind.h"

namespace orlenza {

inline constexpr std::string_view k_idBiomorph = "Biomorph";

class SnapshotBiomorph final : public SnapshotKind<SnapshotBiomorph, BiomorphParameters> {
 public:
  static constexpr std::string_view kIdentifier = k_idBiomorph;

  using SnapshotKind::SnapshotKind;
  SnapshotBiomorph() = default;
  SnapshotBiomorph(SnapshotBiomorph const&) = default;
};

// The creator: default core, default parameters, empty name.
std::shared_ptr<Snapshot> MakeNewSnapshotBiomorph();

}  // namespace orlenza
