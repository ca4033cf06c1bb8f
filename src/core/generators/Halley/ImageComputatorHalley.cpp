#include "core/generators/Halley/ImageComputatorHalley.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "core/engine/Orbit.h"
#include "core/engine/OrbitAnalyzer.h"
#include "core/engine/PlaneSampler.h"
#include "core/generators/Halley/HalleyIteration.h"
#include "core/generators/Halley/SnapshotHalley.h"
#include "core/geometry/Geometry.h"

namespace orlenza {

namespace {

// Pixels handled between two looks at the cancel flag: at most 32 steps each.
constexpr int kPixelsPerChunk = 256;

// Every rule of the pixel loop in one place; the rows share it read-only.
class HalleyRows {
 public:
  HalleyRows(SnapshotHalley const& snapshot, int width, int height, RawField& field)
      : m_iteration(snapshot.getParameters()),
        m_sampler(snapshot.getCore().getView(), width, height),
        m_geometry(snapshot.getCore().getGeometry()->clone()),
        m_width(width),
        m_field(field) {
    m_analyzer = OrbitAnalyzer::getAnalyzerFromID(snapshot.getParameters().analyzerID);
    if (m_analyzer == nullptr) m_analyzer = &OrbitAnalyzerDwell::instance();
    // The dwell is the number of iterates kept, so no orbit need be recorded.
    m_dwellOnly = m_analyzer == &OrbitAnalyzerDwell::instance();
    m_geometry->initWithView(snapshot.getCore().getView());
  }

  void computeRow(int y, RowStop const& stop) const {
    Orbit orbit;
    if (!m_dwellOnly) orbit.reserve(HalleyIteration::kMaxSteps + 1);
    Coord2D planePoints[kPixelsPerChunk];
    Coord2D mapped[kPixelsPerChunk];
    for (int x0 = 0; x0 < m_width; x0 += kPixelsPerChunk) {
      if (x0 > 0 && stop.requested()) return;
      int const count = std::min(kPixelsPerChunk, m_width - x0);
      for (int i = 0; i < count; ++i) planePoints[i] = m_sampler.getXY(x0 + i, y);
      m_geometry->mapPoints(planePoints, mapped, static_cast<std::size_t>(count));
      for (int i = 0; i < count; ++i) {
        Coord2D const q = mapped[i];
        double& cell = m_field[x0 + i][y];
        if (!std::isfinite(q.x) || !std::isfinite(q.y)) {
          cell = std::numeric_limits<double>::quiet_NaN();
        } else if (m_dwellOnly) {
          cell = m_iteration.iterate(q.x, q.y, nullptr);
        } else {
          orbit.clear();
          m_iteration.iterate(q.x, q.y, &orbit);
          cell = m_analyzer->extract(orbit);
        }
      }
    }
  }

 private:
  HalleyIteration m_iteration;
  PlaneSampler m_sampler;
  std::shared_ptr<Geometry> m_geometry;
  OrbitAnalyzer const* m_analyzer = nullptr;
  bool m_dwellOnly = true;
  int m_width;
  RawField& m_field;
};

}  // namespace

ImageComputatorHalley::ImageComputatorHalley() : AbstractImageComputator(std::string(k_idHalley)) {}

void ImageComputatorHalley::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                         ComputationNotifier& notifier) {
  computeImage(snapshot, width, height, field, notifier, threadCount());
}

void ImageComputatorHalley::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                         ComputationNotifier& notifier, unsigned threads) {
  auto const& halley = dynamic_cast<SnapshotHalley const&>(snapshot);
  computeRowsInField<HalleyRows>(halley, width, height, field, notifier, threads);
}

View ImageComputatorHalley::getDefaultView() const { return defaultView(); }

View ImageComputatorHalley::defaultView() { return View(0, 0, 1, 0, false, false); }

}  // namespace orlenza
