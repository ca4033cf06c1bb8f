#include "core/generators/Mandala/ImageComputatorMandala.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "core/engine/PlaneSampler.h"
#include "core/generators/Mandala/SnapshotMandala.h"
#include "core/geometry/Geometry.h"

namespace orlenza {

namespace {

// The pi of the radial wave, as stored pictures were computed with it.
constexpr double kMandalaPi = 3.141592654;

// Points mapped through the geometry per virtual call.
constexpr int kPixelsPerChunk = 256;

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

class MandalaRows {
 public:
  MandalaRows(SnapshotMandala const& snapshot, int width, int height, RawField& field)
      : m_kernel(snapshot.getParameters()),
        m_sampler(snapshot.getCore().getView(), width, height),
        m_geometry(snapshot.getCore().getGeometry()->clone()),
        m_width(width),
        m_field(field) {
    m_geometry->initWithView(snapshot.getCore().getView());
  }

  void computeRow(int y) const {
    Coord2D points[kPixelsPerChunk];
    for (int x0 = 0; x0 < m_width; x0 += kPixelsPerChunk) {
      int const count = std::min(kPixelsPerChunk, m_width - x0);
      for (int i = 0; i < count; ++i) points[i] = m_sampler.getXY(x0 + i, y);
      m_geometry->mapPoints(points, points, static_cast<std::size_t>(count));
      for (int i = 0; i < count; ++i) m_field[x0 + i][y] = m_kernel(points[i]);
    }
  }

 private:
  MandalaKernel m_kernel;
  PlaneSampler m_sampler;
  std::shared_ptr<Geometry> m_geometry;
  int m_width;
  RawField& m_field;
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
  // Never past the field, whatever the caller says.
  width = std::clamp(width, 1, field.width());
  height = std::clamp(height, 1, field.height());
  MandalaRows const rows(mandala, width, height, field);
  // A row is at most 2048 cheap pixels, so it never needs to look at the stop.
  computePixelRows(height, notifier, [&rows](int y, RowStop const&) { rows.computeRow(y); }, threads);
}

View ImageComputatorMandala::getDefaultView() const { return defaultView(); }

View ImageComputatorMandala::defaultView() { return View(0, 0, 1, 0, false, false); }

}  // namespace orlenza
