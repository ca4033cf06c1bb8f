#pragma once
// The computator of "EscParams": the dwell of every pixel's point under the
// quadratic map of the snapshot's coefficients, or an orbit analyzer's reading
// of the orbit.

#include "core/engine/ImageComputator.h"

namespace orlenza {

class ImageComputatorEscapeParams final : public AbstractImageComputator,
                                          public ComputatorTraits<ImageComputatorEscapeParams> {
 public:
  ImageComputatorEscapeParams();

  // One progress step per row; rows run on the shared row threads.
  void computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                    ComputationNotifier& notifier) override;
  // The same on a given number of threads; the field is the same whatever the count.
  void computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                    ComputationNotifier& notifier, unsigned threads);

  // Centre (0, 0), size 5, angle 0, no flips.
  View getDefaultView() const override;
  static View defaultView();
};

}  // namespace orlenza
