#include "core/generators/Grid/ImageComputatorGrid.h"

#include <algorithm>
#include <memory>
#include <string>

#include "core/engine/PlaneSampler.h"
#include "core/generators/Grid/SnapshotGrid.h"
#include "core/geometry/Geometry.h"

namespace orlenza {

namespace {

// Points mapped through the geometry per virtual call.
constexpr int kPixelsPerChunk = 256;

class GridRows {
 public:
  GridRows(SnapshotGrid const& snapshot, int width, int height, RawField& field)
      : m_parameters(snapshot.getParameters()),
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
      for (int i = 0; i < count; ++i) m_field[x0 + i][y] = m_parameters.valueAt(points[i]);
    }
  }

 private:
  GridParameters m_parameters;
  PlaneSampler m_sampler;
  std::shared_ptr<Geometry> m_geometry;
  int m_width;
  RawField& m_field;
};

}  // namespace

ImageComputatorGrid::ImageComputatorGrid() : AbstractImageComputator(std::string(SnapshotGrid::kIdentifier)) {}

void ImageComputatorGrid::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                       ComputationNotifier& notifier) {
  computeImage(snapshot, width, height, field, notifier, threadCount());
}

void ImageComputatorGrid::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                       ComputationNotifier& notifier, unsigned threads) {
  auto const& grid = dynamic_cast<SnapshotGrid const&>(snapshot);
  // Never past the field, whatever the caller says.
  width = std::clamp(width, 1, field.width());
  height = std::clamp(height, 1, field.height());
  GridRows const rows(grid, width, height, field);
  // A row is at most 2048 cheap pixels, so it never needs to look at the stop.
  computePixelRows(height, notifier, [&rows](int y, RowStop const&) { rows.computeRow(y); }, threads);
}

View ImageComputatorGrid::getDefaultView() const { return defaultView(); }

View ImageComputatorGrid::defaultView() { return View(0, 0, 2.5, 0, false, false); }

}  // namespace orlenza
