#pragma once
// The computator of "Curves": the curve is sampled at its number of points,
// which are counted as dots or joined by pixel lines; the field holds the hits
// per pixel. The plane geometry is not used.

#include "core/engine/ImageComputator.h"

namespace orlenza {

class ImageComputatorCurves final : public AbstractImageComputator, public ComputatorTraits<ImageComputatorCurves> {
 public:
  ImageComputatorCurves();

  // One progress step per curve point; a cancel stops at once and keeps the
  // hits counted (the closing line is then not drawn). A point that is not
  // finite in pixels, or beyond the int range, joins no line.
  void computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                    ComputationNotifier& notifier) override;
  // The same with a given number of threads, which find the points of long
  // curves; plotting stays in curve order, so the field is the same whatever the count.
  void computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                    ComputationNotifier& notifier, unsigned threads);

  // Centre (0, 0), size 1, angle 0, no flips.
  View getDefaultView() const override;
  static View defaultView();
};

}  // namespace orlenza
