#pragma once
// The snapshot kind of the mandala generator, "Mandal" (six letters, as files
// store it): a snapshot holding one MandalaParameters.

#include <memory>
#include <string_view>

#include "core/generators/Mandala/MandalaParameters.h"
#include "core/model/SnapshotKind.h"

namespace orlenza {

class SnapshotMandala final : public SnapshotKind<SnapshotMandala, MandalaParameters> {
 public:
  static constexpr std::string_view kIdentifier = "Mandal";

  using SnapshotKind::SnapshotKind;
  SnapshotMandala() = default;
  SnapshotMandala(SnapshotMandala const&) = default;
};

// The creator: default core, default parameters, empty name.
std::shared_ptr<Snapshot> MakeNewSnapshotMandala();

}  // namespace orlenza
