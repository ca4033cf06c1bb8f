#include "core/generators/EscapeTime/ImageComputatorEscapeParams.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "core/engine/EscapeIterator.h"
#include "core/engine/EscapeKernel.h"
#include "core/engine/Orbit.h"
#include "core/engine/OrbitAnalyzer.h"
#include "core/engine/MappedPointImage.h"
#include "core/generators/EscapeTime/SnapshotEscapeParams.h"

namespace orlenza {

namespace {

// Every rule of the pixel loop in one place; the rows share it read-only.
class EscapeRows {
 public:
  EscapeRows(SnapshotEscapeParams const& snapshot, int width, int height, RawField& field)
      : m_parameters(snapshot.getParameters()), m_points(snapshot.getCore(), width, height), m_field(field) {
    m_analyzer = OrbitAnalyzer::getAnalyzerFromID(m_parameters.analyzerID);
    if (m_analyzer == nullptr) m_analyzer = &OrbitAnalyzerDwell::instance();
    // The dwell is the iteration count, so no orbit need be recorded.
    m_dwellOnly = m_analyzer == &OrbitAnalyzerDwell::instance();
  }

  void computeRow(int y, RowStop const& stop) const {
    if (m_dwellOnly) {
      computeDwellRow(y, stop);
      return;
    }
    Orbit orbit;
    orbit.reserve(EscapeIterator::kMaxIterations + 1);
    EscapeIterator iterator(m_parameters.coefficients, &orbit, false);
    // A chunk of pixels runs at most 1025 map steps each between two looks at
    // the stop, so a cancel is seen within about 2^18 steps however wide the row.
    auto pixel = [&](int x, Coord2D const& q) {
      double& cell = m_field[x][y];
      if (!std::isfinite(q.x) || !std::isfinite(q.y)) {
        cell = std::numeric_limits<double>::quiet_NaN();
      } else {
        orbit.clear();
        iterator.iterate(q.x, q.y);
        cell = m_analyzer->extract(orbit);
      }
      return true;
    };
    m_points.forEachPixel(y, pixel, &stop);
  }

 private:
  // Most pictures: the whole row mapped, then the vector kernel over it.
  void computeDwellRow(int y, RowStop const& stop) const {
    Coord2D points[RawField::kMaxSize];
    double dwells[RawField::kMaxSize];
    int const width = m_points.width();
    if (!m_points.mapRow(y, points, &stop)) return;
    if (!escapeDwells(m_parameters.coefficients, points, dwells, width, &stop)) return;
    for (int x = 0; x < width; ++x) m_field[x][y] = dwells[x];
  }

  EscapeParameters m_parameters;
  MappedRowSampler m_points;
  OrbitAnalyzer const* m_analyzer = nullptr;
  bool m_dwellOnly = true;
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
