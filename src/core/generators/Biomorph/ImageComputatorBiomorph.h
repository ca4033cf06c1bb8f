#pragma once
// The computator of "Biomorph": every pixel's point is blended with K into a
// start and a constant, its orbit under the biomorph step goes through the
// biomorph test, and an orbit analyzer reads it (with the dwell analyzer, the
// number of steps before the escape).

#include "core/engine/ImageComputator.h"

namespace orlenza {

class ImageComputatorBiomorph final : public AbstractImageComputator,
                                      public ComputatorTraits<ImageComputatorBiomorph> {
 public:
  // Steps a row runs between two looks at the cancel flag.
  static constexpr long kStepsBetweenStopChecks = 1L << 16;

  ImageComputatorBiomorph();

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
