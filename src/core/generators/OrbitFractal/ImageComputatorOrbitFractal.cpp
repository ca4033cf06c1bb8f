#include "core/generators/OrbitFractal/ImageComputatorOrbitFractal.h"

#include <algorithm>
#include <memory>
#include <string>

#include "core/engine/OrbitAnalyzer.h"
#include "core/engine/PlaneSampler.h"
#include "core/geometry/Geometry.h"

namespace orlenza {

namespace {

constexpr int kPixelsPerChunk = 256;

// Every rule of the pixel loop in one place; the rows share it read-only.
template <class Snap>
class OrbitFractalRows {
  using Map = typename Snap::MapType;

 public:
  OrbitFractalRows(Snap const& snapshot, int width, int height, RawField& field)
      : m_sampler(snapshot.getCore().getView(), width, height),
        m_geometry(snapshot.getCore().getGeometry()->clone()),
        m_width(width),
        m_field(field) {
    auto const& parameters = snapshot.getParameters();
    for (unsigned i = 0; i < 3; ++i) m_p[i] = parameters.getParameter(i);
    m_count = parameters.getIterations();
    m_analyzer = OrbitAnalyzer::getAnalyzerFromID(parameters.analyzerID);
    if (m_analyzer == nullptr) m_analyzer = &OrbitAnalyzerDistance::instance();
    // These read the first and the last point and whether there are two.
    m_endsOnly = m_analyzer == &OrbitAnalyzerDistance::instance() || m_analyzer == &OrbitAnalyzerAngle::instance() ||
                 m_analyzer == &OrbitAnalyzerReal::instance() || m_analyzer == &OrbitAnalyzerImag::instance();
    m_geometry->initWithView(snapshot.getCore().getView());
  }

  void computeRow(int y, RowStop const& stop) const {
    if (m_endsOnly)
      run<false>(y, stop);
    else
      run<true>(y, stop);
  }

 private:
  template <bool Record>
  void run(int y, RowStop const& stop) const {
    Orbit orbit;
    orbit.reserve(Record ? static_cast<std::size_t>(m_count) : 2);
    Coord2D planePoints[kPixelsPerChunk];
    Coord2D mapped[kPixelsPerChunk];
    std::int64_t steps = 0;
    for (int x0 = 0; x0 < m_width; x0 += kPixelsPerChunk) {
      int const count = std::min(kPixelsPerChunk, m_width - x0);
      for (int i = 0; i < count; ++i) planePoints[i] = m_sampler.getXY(x0 + i, y);
      m_geometry->mapPoints(planePoints, mapped, static_cast<std::size_t>(count));
      for (int i = 0; i < count; ++i) {
        orbit.clear();
        orbitfractal::followOrbit<Map, Record>(m_p, mapped[i].x, mapped[i].y, m_count, orbit);
        m_field[x0 + i][y] = m_analyzer->extract(orbit);
        steps += m_count;
        if (steps >= orbitfractal::kStepsPerCancelCheck) {
          steps = 0;
          if (stop.requested()) return;
        }
      }
    }
  }

  double m_p[3];
  int m_count = 1;
  PlaneSampler m_sampler;
  std::shared_ptr<Geometry> m_geometry;
  OrbitAnalyzer const* m_analyzer = nullptr;
  bool m_endsOnly = false;
  int m_width;
  RawField& m_field;
};

}  // namespace

template <class Snap>
ImageComputatorOrbitFractal<Snap>::ImageComputatorOrbitFractal() : AbstractImageComputator(std::string(Map::kIdentifier)) {}

template <class Snap>
void ImageComputatorOrbitFractal<Snap>::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                                     ComputationNotifier& notifier) {
  computeImage(snapshot, width, height, field, notifier, threadCount());
}

template <class Snap>
void ImageComputatorOrbitFractal<Snap>::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                                     ComputationNotifier& notifier, unsigned threads) {
  auto const& own = dynamic_cast<Snap const&>(snapshot);
  computeRowsInField<OrbitFractalRows<Snap>>(own, width, height, field, notifier, threads);
}

template class ImageComputatorOrbitFractal<SnapshotDynFractal>;
template class ImageComputatorOrbitFractal<SnapshotGumFractal>;

}  // namespace orlenza
