#pragma once
// The computator of "ItSines": the weighted sum of three nested sine waves in
// x, in y and in x y, scaled into [0, amplitude].

#include "core/engine/ImageComputator.h"

namespace orlenza {

class ImageComputatorItSines final : public AbstractImageComputator,
                                     public ComputatorTraits<ImageComputatorItSines> {
 public:
  ImageComputatorItSines();

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
