#include "core/generators/Sines/ImageComputatorItSines.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "core/engine/PlaneSampler.h"
#include "core/generators/Sines/SnapshotItSines.h"
#include "core/geometry/Geometry.h"

namespace orlenza {

namespace {

// Points mapped through the geometry per virtual call.
constexpr int kPixelsPerChunk = 256;

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

class ItSinesRows {
 public:
  ItSinesRows(SnapshotItSines const& snapshot, int width, int height, RawField& field)
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
  ItSinesKernel m_kernel;
  PlaneSampler m_sampler;
  std::shared_ptr<Geometry> m_geometry;
  int m_width;
  RawField& m_field;
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
  // Never past the field, whatever the caller says.
  width = std::clamp(width, 1, field.width());
  height = std::clamp(height, 1, field.height());
  ItSinesRows const rows(sines, width, height, field);
  // A row is at most 2048 cheap pixels, so it never needs to look at the stop.
  computePixelRows(height, notifier, [&rows](int y, RowStop const&) { rows.computeRow(y); }, threads);
}

View ImageComputatorItSines::getDefaultView() const { return defaultView(); }

View ImageComputatorItSines::defaultView() { return View(0, 0, 2.5, 0, false, false); }

}  // namespace orlenza
