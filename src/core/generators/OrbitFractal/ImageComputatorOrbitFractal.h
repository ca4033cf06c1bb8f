#pragma once
// The computators of the orbit fractals: every pixel's point starts a short
// orbit of the kind's map, and an orbit analyzer turns it into the sample.

#include <cstdint>

#include "core/base/WorkStop.h"
#include "core/engine/ImageComputator.h"
#include "core/engine/Orbit.h"
#include "core/generators/OrbitFractal/SnapshotOrbitFractal.h"

namespace orlenza {

namespace orbitfractal {

// Orbit steps between two looks at the cancel flag within a row.
inline constexpr std::int64_t kStepsPerCancelCheck = std::int64_t(1) << 18;

// Follows the map from (x, y) for at most count points, the start first.
// Record: every point goes into the orbit; otherwise only the start and,
// when there are two or more, the last (all an analyzer of the ends reads).
// Answers the number of points the orbit has. A count in the billions is
// allowed: the computation's stop is asked every work::kStepsPerPoll points.
template <class Map, bool Record>
int followOrbit(double const* p, double x, double y, int count, Orbit& orbit) {
  orbit.add(x, y);
  int n = 1;
  while (n < count) {
    double nx = 0, ny = 0;
    if (!Map::step(p, x, y, &nx, &ny)) break;
    x = nx;
    y = ny;
    ++n;
    if constexpr (Record) orbit.add(x, y);
    if ((static_cast<std::uint32_t>(n) & (work::kStepsPerPoll - 1)) == 0 && work::stopRequested()) break;
  }
  if constexpr (!Record)
    if (n > 1) orbit.add(x, y);
  return n;
}

}  // namespace orbitfractal

template <class Snap>
class ImageComputatorOrbitFractal : public AbstractImageComputator {
 public:
  using Map = typename Snap::MapType;

  // One progress step per row; rows run on the shared row threads.
  void computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                    ComputationNotifier& notifier) override;
  // The same on a given number of threads; the field is the same whatever the count.
  void computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                    ComputationNotifier& notifier, unsigned threads);

  View getDefaultView() const override { return defaultView(); }
  static View defaultView() {
    auto const& v = Map::kComputatorView;
    return View(v.centerX, v.centerY, v.size, v.angle, false, false);
  }

 protected:
  ImageComputatorOrbitFractal();
};

class ImageComputatorDynFractal final : public ImageComputatorOrbitFractal<SnapshotDynFractal>,
                                        public ComputatorTraits<ImageComputatorDynFractal> {};

class ImageComputatorGumFractal final : public ImageComputatorOrbitFractal<SnapshotGumFractal>,
                                        public ComputatorTraits<ImageComputatorGumFractal> {};

extern template class ImageComputatorOrbitFractal<SnapshotDynFractal>;
extern template class ImageComputatorOrbitFractal<SnapshotGumFractal>;

}  // namespace orlenza
