#include "core/generators/Quot/ImageComputatorQuot.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "core/base/MathUtils.h"
#include "core/engine/PlaneSampler.h"
#include "core/generators/Quot/SnapshotQuot.h"
#include "core/geometry/Geometry.h"

namespace orlenza {

namespace {

// Points mapped through the geometry per virtual call.
constexpr int kPixelsPerChunk = 256;

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

class QuotRows {
 public:
  QuotRows(SnapshotQuot const& snapshot, int width, int height, RawField& field)
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
  QuotKernel m_kernel;
  PlaneSampler m_sampler;
  std::shared_ptr<Geometry> m_geometry;
  int m_width;
  RawField& m_field;
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
  // Never past the field, whatever the caller says.
  width = std::clamp(width, 1, field.width());
  height = std::clamp(height, 1, field.height());
  QuotRows const rows(quot, width, height, field);
  // A row is at most 2048 cheap pixels, so it never needs to look at the stop.
  computePixelRows(height, notifier, [&rows](int y, RowStop const&) { rows.computeRow(y); }, threads);
}

View ImageComputatorQuot::getDefaultView() const { return defaultView(); }

View ImageComputatorQuot::defaultView() { return View(0, 0, 2.5, 0, false, false); }

}  // namespace orlenza
