#pragma once
// One snapshot to one finished picture: compute the raw field, then colour it.
// The renderer and the movie frames share this road.

#include <memory>
#include <optional>

#include "core/engine/RgbImage16.h"

namespace orlenza {

class ComputationNotifier;
class RawField;
class Snapshot;
class SnapshotCore;

struct RenderedPicture {
  std::shared_ptr<Snapshot> snapshot;  // as drawn (with the automatic norm, when asked)
  RgbImage16 image;                    // full 16-bit colours, top row first
};

// The field coloured by the core's settings, as a picture.
RgbImage16 colourToImage(RawField const& field, SnapshotCore const& core);

// Computes snapshot at width x height (each clamped to 1 ... 2048) and colours
// it. With automaticNorm the drawn snapshot is a copy whose norm is the raw
// field's maximum. Answers nothing when the notifier cancelled the computation.
// Throws NullPtrException when no computator is registered for the snapshot.
std::optional<RenderedPicture> renderSnapshot(std::shared_ptr<Snapshot> const& snapshot, int width, int height,
                                              bool automaticNorm, ComputationNotifier& notifier);

}  // namespace orlenza
