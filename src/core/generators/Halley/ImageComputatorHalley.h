#pragma once
// The computator of "Halley": every pixel's point starts Halley's method for
// the snapshot's polynomial, and an orbit analyzer reads the orbit (with the
// dwell analyzer, the number of steps the method needed).

#include "core/engine/ImageComputator.h"

namespace orlenza {

class ImageComputatorHalley final : public AbstractImageComputator, public ComputatorTraits<ImageComputatorHalley> {
 public:
  ImageComputatorHalley();

  // One progress step per row; rows run on the shared row threads.
  void computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                    ComputationNotifier& notifier) override;
  // The same on a given number of threads; the field is the same whatever the count.
  void computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                    ComputationNotifier& notifier, unsigned threads);

  // Centre (0, 0), size 1, angle 0, no flips.
  View getDefaultView() const override;
  static View defaultView();
};

}  // namespace orlenza
