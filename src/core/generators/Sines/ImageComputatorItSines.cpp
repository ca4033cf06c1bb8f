#include "core/generators/Sines/ImageComputatorItSines.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "core/engine/MappedPointImage.h"
#include "core/generators/Sines/SnapshotItSines.h"
#include "core/geometry/Geometry.h"

namespace orlenza {

namespace {

// Points mapped through the geometry per virtual call.

using Group = ItSinesParameters::ParamGroup;

double term(Group const& g, double u) {
  return g.weight * std::sin(u * g.frequency + std::sin(u * g.innerFrequency) + g.phase);
}

// The value of one mapped point.
struct ItSinesKernel {
  explicit ItSinesKernel(ItSinesParameters const& p)
      : x(p.xGroup),
        y(p.yGroup),
        xy(p.xyGroup),
        amplitude(p.amplitude),
        weightSum(p.xGroup.weight + p.yGroup.weight + p.xyGroup.weight) {}

  double operator()(Coord2D const& q) const {
    if (!std::isfinite(q.x) || !std::isfinite(q.y)) return std::numeric_limits<double>::quiet_NaN();
    double s = term(x, q.x);
    s = term(y, q.y) + s;
    s = term(xy, q.x * q.y) + s;
    // Weights that cancel give infinities or NaN, drawn by the clamp.
    return (s / weightSum + 1) * amplitude * 0.5;
  }

  Group x, y, xy;
  double amplitude, weightSum;
};


}  // namespace

ImageComputatorItSines::ImageComputatorItSines() : AbstractImageComputator(std::string(SnapshotItSines::kIdentifier)) {}

void ImageComputatorItSines::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                          ComputationNotifier& notifier) {
  computeImage(snapshot, width, height, field, notifier, threadCount());
}

void ImageComputatorItSines::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                          ComputationNotifier& notifier, unsigned threads) {
  auto const& sines = dynamic_cast<SnapshotItSines const&>(snapshot);
  // A row is at most 2048 cheap pixels, so it never needs to look at the stop.
  computeMappedPointImage(ItSinesKernel(sines.getParameters()), sines.getCore(), width, height, field,
                          notifier, threads);
}

View ImageComputatorItSines::getDefaultView() const { return defaultView(); }

View ImageComputatorItSines::defaultView() { return View(0, 0, 2.5, 0, false, false); }

}  // namespace orlenza
