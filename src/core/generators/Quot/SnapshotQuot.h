#pragma once
// The snapshot kind of the quotient generator, "Quot": a snapshot holding one
// QuotParameters.

#include <memory>
#include <string_view>

#include "core/generators/Quot/QuotParameters.h"
#include "core/model/SnapshotKind.h"

namespace orlenza {

class SnapshotQuot final : public SnapshotKind<SnapshotQuot, QuotParameters> {
 public:
  static constexpr std::string_view kIdentifier = "Quot";

  using SnapshotKind::SnapshotKind;
  SnapshotQuot() = default;
  SnapshotQuot(SnapshotQuot const&) = default;
};

// The creator: default core, default parameters, empty name.
std::shared_ptr<Snapshot> MakeNewSnapshotQuot();

}  // namespace orlenza
