#include "core/generators/Mandala/ImageComputatorMandala.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "core/engine/MappedPointImage.h"
#include "core/generators/Mandala/SnapshotMandala.h"
#include "core/geometry/Geometry.h"

namespace orlenza {

namespace {

// The pi of the radial wave, as stored pictures were computed with it.
constexpr double kMandalaPi = 3.141592654;

// Points mapped through the geometry per virtual call.

// The value of one mapped point; everything that does not depend on the point
// is worked out once.
struct MandalaKernel {
  explicit MandalaKernel(MandalaParameters const& p)
      : angularFrequency(p.getParameter(MandalaParameters::kAngularFrequency)),
        angularWeight(p.getParameter(MandalaParameters::kAngularWeight)),
        radialScale(kMandalaPi * p.getParameter(MandalaParameters::kRadialFrequency)),
        radialWeight(p.getParameter(MandalaParameters::kRadialWeight)),
        productWeight(p.getParameter(MandalaParameters::kProductWeight)),
        amplitude(p.getParameter(MandalaParameters::kAmplitude)),
        weightSum(angularWeight + radialWeight + productWeight) {}

  double operator()(Coord2D const& q) const {
    if (!std::isfinite(q.x) || !std::isfinite(q.y)) return std::numeric_limits<double>::quiet_NaN();
    double const r = std::sqrt(q.x * q.x + q.y * q.y);
    double const theta = std::atan2(q.y, q.x);
    double const a = std::sin(theta * angularFrequency);
    double const b = std::sin(radialScale * r);
    // Weights that cancel give infinities or NaN, drawn by the clamp.
    return ((a * angularWeight + b * radialWeight + b * a * productWeight) / weightSum + 1) * amplitude * 0.5;
  }

  double angularFrequency, angularWeight, radialScale, radialWeight, productWeight, amplitude, weightSum;
};


}  // namespace

ImageComputatorMandala::ImageComputatorMandala() : AbstractImageComputator(std::string(SnapshotMandala::kIdentifier)) {}

void ImageComputatorMandala::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                          ComputationNotifier& notifier) {
  computeImage(snapshot, width, height, field, notifier, threadCount());
}

void ImageComputatorMandala::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                          ComputationNotifier& notifier, unsigned threads) {
  auto const& mandala = dynamic_cast<SnapshotMandala const&>(snapshot);
  // A row is at most 2048 cheap pixels, so it never needs to look at the stop.
  computeMappedPointImage(MandalaKernel(mandala.getParameters()), mandala.getCore(), width, height, field,
                          notifier, threads);
}

View ImageComputatorMandala::getDefaultView() const { return defaultView(); }

View ImageComputatorMandala::defaultView() { return View(0, 0, 1, 0, false, false); }

}  // namespace orlenza
