#pragma once
// The road of every generator whose pixel depends only on its own plane
// point: sample, map through the geometry a chunk at a time (one virtual call
// per chunk, not per pixel), then the generator's kernel on each point.

#include <algorithm>
#include <memory>

#include "core/engine/ImageComputator.h"
#include "core/engine/PlaneSampler.h"
#include "core/engine/RawField.h"
#include "core/geometry/Geometry.h"
#include "core/model/SnapshotCore.h"

namespace orlenza {

// The mapped plane points of a picture's rows; the rows share it read-only.
class MappedRowSampler {
 public:
  static constexpr int kPixelsPerChunk = 256;

  MappedRowSampler(SnapshotCore const& core, int width, int height)
      : m_sampler(core.getView(), width, height), m_geometry(core.getGeometry()->clone()), m_width(width) {
    m_geometry->initWithView(core.getView());
  }

  int width() const { return m_width; }

  // The mapped points of row y into points[0 .. width-1]; false when a stop
  // was requested before a chunk after the first (points then incomplete).
  bool mapRow(int y, Coord2D* points, RowStop const* stop = nullptr) const {
    for (int x0 = 0; x0 < m_width; x0 += kPixelsPerChunk) {
      if (stop && x0 > 0 && stop->requested()) return false;
      int const count = std::min(kPixelsPerChunk, m_width - x0);
      for (int i = 0; i < count; ++i) points[x0 + i] = m_sampler.getXY(x0 + i, y);
      m_geometry->mapPoints(points + x0, points + x0, static_cast<std::size_t>(count));
    }
    return true;
  }

  // visit(x, q) for each pixel of row y with its mapped point q, left to right;
  // it answers false to end the row. With a stop, the row also ends when a stop
  // is requested before a chunk after the first.
  template <typename Visit>
  void forEachPixel(int y, Visit&& visit, RowStop const* stop = nullptr) const {
    Coord2D points[kPixelsPerChunk];
    for (int x0 = 0; x0 < m_width; x0 += kPixelsPerChunk) {
      if (stop && x0 > 0 && stop->requested()) return;
      int const count = std::min(kPixelsPerChunk, m_width - x0);
      for (int i = 0; i < count; ++i) points[i] = m_sampler.getXY(x0 + i, y);
      m_geometry->mapPoints(points, points, static_cast<std::size_t>(count));
      for (int i = 0; i < count; ++i)
        if (!visit(x0 + i, points[i])) return;
    }
  }

 private:
  PlaneSampler m_sampler;
  std::shared_ptr<Geometry> m_geometry;
  int m_width;
};

// Kernel: double operator()(Coord2D const&) const, cheap enough that a row of
// 2048 pixels never needs to look at the stop.
template <typename Kernel>
class MappedPointRows {
 public:
  MappedPointRows(Kernel kernel, SnapshotCore const& core, int width, int height, RawField& field)
      : m_kernel(std::move(kernel)), m_points(core, width, height), m_field(field) {}

  void computeRow(int y) const {
    m_points.forEachPixel(y, [this, y](int x, Coord2D const& q) {
      m_field[x][y] = m_kernel(q);
      return true;
    });
  }

 private:
  Kernel m_kernel;
  MappedRowSampler m_points;
  RawField& m_field;
};

// Fills width x height cells of field (each side held to the field, whatever
// the caller says) on the shared row threads.
template <typename Kernel>
void computeMappedPointImage(Kernel kernel, SnapshotCore const& core, int width, int height, RawField& field,
                             ComputationNotifier& notifier, unsigned threads) {
  width = std::clamp(width, 1, field.width());
  height = std::clamp(height, 1, field.height());
  MappedPointRows<Kernel> const rows(std::move(kernel), core, width, height, field);
  computePixelRows(height, notifier, [&rows](int y, RowStop const&) { rows.computeRow(y); }, threads);
}

}  // namespace orlenza
