#pragma once
// The computator of "Grid": every mapped point is folded into one lattice
// cell and takes the brightness of the nearest lines or dot there.

#include "core/engine/ImageComputator.h"

namespace orlenza {

class ImageComputatorGrid final : public AbstractImageComputator, public ComputatorTraits<ImageComputatorGrid> {
 public:
  ImageComputatorGrid();

  // One progress step per row; rows run on the shared row threads.
  void computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                    ComputationNotifier& notifier) override;
  // The same on a given number of threads; the field is the same whatever the count.
  void computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                    ComputationNotifier& notifier, unsigned threads);

  // Centre (0, 0), size 2.5, angle 0, no flips.
  View getDefaultView() const override;
  static View defaultView();
};

}  // namespace orlenza
