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

// Kernel: double operator()(Coord2D const&) const, cheap enough that a row of
// 2048 pixels never needs to look at the stop.
template <typename Kernel>
class MappedPointRows {
 public:
  static constexpr int kPixelsPerChunk = 256;

  MappedPointRows(Kernel kernel, SnapshotCore const& core, int width, int height, RawField& field)
      : m_kernel(std::move(kernel)),
        m_sampler(core.getView(), width, height),
        m_geometry(core.getGeometry()->clone()),
        m_width(width),
        m_field(field) {
    m_geometry->initWithView(core.getView());
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
  Kernel m_kernel;
  PlaneSampler m_sampler;
  std::shared_ptr<Geometry> m_geometry;
  int m_width;
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
