#pragma once
// The computator of "Perlin": every mapped point gets up to three octave sums
// of fixed gradient noises, combined and shaped by the parameters and scaled
// by the amplitude.

#include "core/engine/ImageComputator.h"

namespace orlenza {

class Perlin;

class ImageComputatorPerlin final : public AbstractImageComputator, public ComputatorTraits<ImageComputatorPerlin> {
 public:
  // A layer never sums more octaves than this, whatever a file says: by then
  // the octave's frequency is 2^63 times the layer's, past what a double
  // coordinate resolves, and a count of 2^31 would hold a row for hours.
  static constexpr int kMaxEvaluatedOctaves = 64;

  ImageComputatorPerlin();

  // One progress step per row; rows run on the shared row threads.
  void computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                    ComputationNotifier& notifier) override;
  // The same on a given number of threads; the field is the same whatever the count.
  void computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                    ComputationNotifier& notifier, unsigned threads);

  // Centre (4, 3), size 5, angle 0, no flips.
  View getDefaultView() const override;

  // The three noises of layers A, B and C, seeded 766, 10043 and 8002; built
  // on first use, read-only afterwards.
  static Perlin const& perlinA();
  static Perlin const& perlinB();
  static Perlin const& perlinC();
};

}  // namespace orlenza
