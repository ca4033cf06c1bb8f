#include "core/generators/EscapeTime/ImageComputatorEscapeParams.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "core/engine/EscapeIterator.h"
#include "core/engine/Orbit.h"
#include "core/engine/OrbitAnalyzer.h"
#include "core/engine/PlaneSampler.h"
#include "core/generators/EscapeTime/SnapshotEscapeParams.h"

namespace orlenza {

namespace {

// Pixels handled between two looks at the cancel flag: at most 1025 map steps
// each, so a cancel is seen within about 2^18 steps however wide the row.
constexpr int kPixelsPerChunk = 256;

// Every rule of the pixel loop in one place; the rows share it read-only.
class EscapeRows {
 public:
  EscapeRows(SnapshotEscapeParams const& snapshot, int width, int height, RawField& field)
      : m_parameters(snapshot.getParameters()),
        m_sampler(snapshot.getCore().getView(), width, height),
        m_geometry(snapshot.getCore().getGeometry()->clone()),
        m_width(width),
        m_field(field) {
    m_analyzer = OrbitAnalyzer::getAnalyzerFromID(m_parameters.analyzerID);
    if (m_analyzer == nullptr) m_analyzer = OrbitAnalyzer::getAnalyzerFromID("OA_Dwell");
    m_dwellOnly = m_analyzer == nullptr || m_analyzer->getIdentifier() == "OA_Dwell";
    m_geometry->initWithView(snapshot.getCore().getView());
  }

  void computeRow(int y, RowStop const& stop) const {
    Orbit orbit;
    if (!m_dwellOnly) orbit.reserve(1024);
    EscapeIterator iterator(m_parameters, m_dwellOnly ? nullptr : &orbit, m_dwellOnly);
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
          cell = iterator.iterate(q.x, q.y);
        } else {
          orbit.clear();
          iterator.iterate(q.x, q.y);
          cell = m_analyzer->extract(orbit);
        }
      }
    }
  }

 private:
  EscapeParameters m_parameters;
  PlaneSampler m_sampler;
  std::shared_ptr<Geometry> m_geometry;
  OrbitAnalyzer const* m_analyzer = nullptr;
  bool m_dwellOnly = true;
  int m_width;
  RawField& m_field;
};

}  // namespace

ImageComputatorEscapeParams::ImageComputatorEscapeParams()
    : AbstractImageComputator(std::string(SnapshotEscapeParams::kIdentifier)) {}

void ImageComputatorEscapeParams::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                               ComputationNotifier& notifier) {
  computeImage(snapshot, width, height, field, notifier, threadCount());
}

void ImageComputatorEscapeParams::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                               ComputationNotifier& notifier, unsigned threads) {
  auto const& escape = dynamic_cast<SnapshotEscapeParams const&>(snapshot);
  computeRowsInField<EscapeRows>(escape, width, height, field, notifier, threads);
}

View ImageComputatorEscapeParams::getDefaultView() const { return defaultView(); }

View ImageComputatorEscapeParams::defaultView() { return View(0, 0, 5, 0, false, false); }

}  // namespace orlenza
