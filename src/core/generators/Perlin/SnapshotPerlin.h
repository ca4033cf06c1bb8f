#pragma once
// The snapshot kind of the noise textures, "Perlin": a snapshot holding one
// PerlinParameters.

#include <memory>
#include <string_view>

#include "core/generators/Perlin/PerlinParameters.h"
#include "core/model/SnapshotKind.h"
#include "core/model/View.h"

namespace orlenza {

inline constexpr std::string_view k_idPerlin = "Perlin";

class SnapshotPerlin final : public SnapshotKind<SnapshotPerlin, PerlinParameters> {
 public:
  static constexpr std::string_view kIdentifier = k_idPerlin;

  using SnapshotKind::SnapshotKind;
  // Default parameters, shown in the default view.
  SnapshotPerlin();
  SnapshotPerlin(SnapshotPerlin const&) = default;

  // Centre (4, 3), size 5, angle 0, no flips.
  static View defaultView();
};

// The creator: a default snapshot with an empty name.
std::shared_ptr<Snapshot> MakeNewSnapshotPerlin();

}  // namespace orlenza
