#include "core/generators/Halley/ImageComputatorHalley.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "core/engine/Orbit.h"
#include "core/engine/OrbitAnalyzer.h"
#include "core/engine/MappedPointImage.h"
#include "core/generators/Halley/HalleyDwells.h"
#include "core/generators/Halley/HalleyIteration.h"
#include "core/generators/Halley/SnapshotHalley.h"

namespace orlenza {

namespace {

// Every rule of the pixel loop in one place; the rows share it read-only.
class HalleyRows {
 public:
  HalleyRows(SnapshotHalley const& snapshot, int width, int height, RawField& field)
      : m_iteration(snapshot.getParameters()), m_points(snapshot.getCore(), width, height), m_field(field) {
    m_analyzer = OrbitAnalyzer::getAnalyzerFromID(snapshot.getParameters().analyzerID);
    if (m_analyzer == nullptr) m_analyzer = &OrbitAnalyzerDwell::instance();
    // The dwell is the number of iterates kept, so no orbit need be recorded.
    m_dwellOnly = m_analyzer == &OrbitAnalyzerDwell::instance();
  }

  void computeRow(int y, RowStop const& stop) const {
    if (m_dwellOnly) {
      computeDwellRow(y, stop);
      return;
    }
    Orbit orbit;
    orbit.reserve(HalleyIteration::kMaxSteps + 1);
    // A chunk of pixels runs at most 32 steps each between two looks at the stop.
    auto pixel = [&](int x, Coord2D const& q) {
      double& cell = m_field[x][y];
      if (!std::isfinite(q.x) || !std::isfinite(q.y)) {
        cell = std::numeric_limits<double>::quiet_NaN();
      } else {
        orbit.clear();
        m_iteration.iterate(q.x, q.y, &orbit);
        cell = m_analyzer->extract(orbit);
      }
      return true;
    };
    m_points.forEachPixel(y, pixel, &stop);
  }

 private:
  // The common case: the whole row mapped, then the vector lanes over it.
  void computeDwellRow(int y, RowStop const& stop) const {
    Coord2D points[RawField::kMaxSize];
    double values[RawField::kMaxSize];
    int const width = m_points.width();
    if (!m_points.mapRow(y, points, &stop)) return;
    if (!halleyDwells(m_iteration, points, values, width, &stop, simdPath())) return;
    for (int x = 0; x < width; ++x) m_field[x][y] = values[x];
  }

  HalleyIteration m_iteration;
  MappedRowSampler m_points;
  OrbitAnalyzer const* m_analyzer = nullptr;
  bool m_dwellOnly = true;
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
