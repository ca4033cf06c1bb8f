#include "core/generators/Quot/ImageComputatorQuot.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "core/base/MathUtils.h"
#include "core/engine/MappedPointImage.h"
#include "core/generators/Quot/SnapshotQuot.h"
#include "core/geometry/Geometry.h"

namespace orlenza {

namespace {

// Points mapped through the geometry per virtual call.

// The value of one mapped point, with the parameters copied out once.
struct QuotKernel {
  explicit QuotKernel(QuotParameters const& parameters) {
    for (unsigned i = 0; i < QuotParameters::kCount; ++i) p[i] = parameters.getParameter(i);
  }

  double operator()(Coord2D const& q) const {
    double const nan = std::numeric_limits<double>::quiet_NaN();
    if (!std::isfinite(q.x) || !std::isfinite(q.y)) return nan;
    double const x = MathUtils::periodize(q.x, p[12], p[13]);
    double const y = MathUtils::periodize(q.y, p[14], p[15]);
    double const d = x * x * p[6] + x * p[7] + x * y * p[8] + y * p[9] + y * y * p[10] + p[11];
    double const v = d == 0 ? 0.0 : (x * x * p[0] + x * p[1] + x * y * p[2] + y * p[3] + y * y * p[4] + p[5]) / d;
    // An overflowing quotient has no place in the fold's period.
    if (!std::isfinite(v)) return nan;
    return MathUtils::periodize(v) * p[16];
  }

  double p[QuotParameters::kCount];
};


}  // namespace

ImageComputatorQuot::ImageComputatorQuot() : AbstractImageComputator(std::string(SnapshotQuot::kIdentifier)) {}

void ImageComputatorQuot::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                       ComputationNotifier& notifier) {
  computeImage(snapshot, width, height, field, notifier, threadCount());
}

void ImageComputatorQuot::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                       ComputationNotifier& notifier, unsigned threads) {
  auto const& quot = dynamic_cast<SnapshotQuot const&>(snapshot);
  // A row is at most 2048 cheap pixels, so it never needs to look at the stop.
  computeMappedPointImage(QuotKernel(quot.getParameters()), quot.getCore(), width, height, field,
                          notifier, threads);
}

View ImageComputatorQuot::getDefaultView() const { return defaultView(); }

View ImageComputatorQuot::defaultView() { return View(0, 0, 2.5, 0, false, false); }

}  // namespace orlenza
