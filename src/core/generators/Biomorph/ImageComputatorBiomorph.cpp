#include "core/generators/Biomorph/ImageComputatorBiomorph.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "core/engine/Orbit.h"
#include "core/engine/OrbitAnalyzer.h"
#include "core/engine/MappedPointImage.h"
#include "core/generators/Biomorph/BiomorphDwells.h"
#include "core/generators/Biomorph/BiomorphKernel.h"
#include "core/generators/Biomorph/SnapshotBiomorph.h"
#include "core/geometry/Geometry.h"

namespace orlenza {

namespace {

class BiomorphRows {
 public:
  BiomorphRows(SnapshotBiomorph const& snapshot, int width, int height, RawField& field)
      : m_kernel(snapshot.getParameters()), m_points(snapshot.getCore(), width, height), m_field(field) {
    m_analyzer = OrbitAnalyzer::getAnalyzerFromID(snapshot.getParameters().analyzerID);
    if (m_analyzer == nullptr) m_analyzer = &OrbitAnalyzerDwell::instance();
    // The dwell is the number of points less one, so no orbit need be recorded.
    m_dwellOnly = m_analyzer == &OrbitAnalyzerDwell::instance();
  }

  void computeRow(int y, RowStop const& stop) const {
    if (m_dwellOnly && m_kernel.isPolynomial()) {
      computeDwellRow(y, stop);
      return;
    }
    Orbit orbit;
    if (!m_dwellOnly) orbit.reserve(static_cast<std::size_t>(m_kernel.steps()));
    long sinceCheck = 0;
    auto pixel = [&](int x, Coord2D const& q) {
      // A pixel runs at most 32767 steps, so between pixels is often enough.
      if (sinceCheck >= ImageComputatorBiomorph::kStepsBetweenStopChecks) {
        if (stop.requested()) return false;
        sinceCheck = 0;
      }
      double& cell = m_field[x][y];
      if (!std::isfinite(q.x) || !std::isfinite(q.y)) {
        cell = std::numeric_limits<double>::quiet_NaN();
        return true;
      }
      BiomorphKernel::Result r;
      if (m_dwellOnly) {
        r = m_kernel.iterate(q.x, q.y, nullptr);
        cell = m_kernel.biomorphTest() && BiomorphKernel::collapses(r.last) ? 0.0 : double(r.points - 1);
      } else {
        orbit.clear();
        r = m_kernel.iterate(q.x, q.y, &orbit);
        if (m_kernel.biomorphTest() && BiomorphKernel::collapses(r.last)) orbit.points.resize(1);
        cell = m_analyzer->extract(orbit);
      }
      sinceCheck += r.points;
      return true;
    };
    m_points.forEachPixel(y, pixel);
  }

 private:
  // The common case: the whole row mapped, then the vector lanes over it.
  void computeDwellRow(int y, RowStop const& stop) const {
    Coord2D points[RawField::kMaxSize];
    double values[RawField::kMaxSize];
    int const width = m_points.width();
    if (!m_points.mapRow(y, points, &stop)) return;
    if (!biomorphDwells(m_kernel, points, values, width, &stop, simdPath())) return;
    for (int x = 0; x < width; ++x) m_field[x][y] = values[x];
  }

  BiomorphKernel m_kernel;
  MappedRowSampler m_points;
  OrbitAnalyzer const* m_analyzer = nullptr;
  bool m_dwellOnly = true;
  RawField& m_field;
};

}  // namespace

ImageComputatorBiomorph::ImageComputatorBiomorph() : AbstractImageComputator(std::string(k_idBiomorph)) {}

void ImageComputatorBiomorph::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                           ComputationNotifier& notifier) {
  computeImage(snapshot, width, height, field, notifier, threadCount());
}

void ImageComputatorBiomorph::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                           ComputationNotifier& notifier, unsigned threads) {
  auto const& biomorph = dynamic_cast<SnapshotBiomorph const&>(snapshot);
  computeRowsInField<BiomorphRows>(biomorph, width, height, field, notifier, threads);
}

View ImageComputatorBiomorph::getDefaultView() const { return defaultView(); }

View ImageComputatorBiomorph::defaultView() { return View(0, 0, 1, 0, false, false); }

}  // namespace orlenza
