#pragma once
// The computator of "Quot": every point is folded into the parameters'
// rectangle, and the quotient of the two polynomials there is folded into
// [0, 1] and scaled by the amplitude.

#include "core/engine/ImageComputator.h"

namespace orlenza {

class ImageComputatorQuot final : public AbstractImageComputator, public ComputatorTraits<ImageComputatorQuot> {
 public:
  ImageComputatorQuot();

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
