#pragma once
// The computator of "Mandal": each point's value from its polar angle and its
// distance from the origin, through an angular and a radial sine wave.

#include "core/engine/ImageComputator.h"

namespace orlenza {

class ImageComputatorMandala final : public AbstractImageComputator,
                                     public ComputatorTraits<ImageComputatorMandala> {
 public:
  ImageComputatorMandala();

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
