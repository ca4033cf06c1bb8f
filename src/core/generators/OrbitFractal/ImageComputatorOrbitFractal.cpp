#include "core/generators/OrbitFractal/ImageComputatorOrbitFractal.h"

#include <algorithm>
#include <memory>
#include <string>

#include "core/engine/OrbitAnalyzer.h"
#include "core/engine/MappedPointImage.h"
#include "core/geometry/Geometry.h"

namespace orlenza {

namespace {

// Every rule of the pixel loop in one place; the rows share it read-only.
template <class Snap>
class OrbitFractalRows {
  using Map = typename Snap::MapType;

 public:
  OrbitFractalRows(Snap const& snapshot, int width, int height, RawField& field)
      : m_points(snapshot.getCore(), width, height), m_field(field) {
    auto const& parameters = snapshot.getParameters();
    for (unsigned i = 0; i < 3; ++i) m_p[i] = parameters.getParameter(i);
    m_count = std::max(parameters.getIterations(), 1);  // every orbit holds its start
    m_analyzer = OrbitAnalyzer::getAnalyzerFromID(parameters.analyzerID);
    if (m_analyzer == nullptr) m_analyzer = &OrbitAnalyzerDistance::instance();
    // These read the first and the last point and whether there are two.
    m_endsOnly = m_analyzer == &OrbitAnalyzerDistance::instance() || m_analyzer == &OrbitAnalyzerAngle::instance() ||
                 m_analyzer == &OrbitAnalyzerReal::instance() || m_analyzer == &OrbitAnalyzerImag::instance();
  }

  // A recorded point takes 16 bytes: a count from a record must not decide how
  // much memory every thread takes, so whole-orbit analyzers read this many at most.
  static constexpr int kMaxRecordedPoints = 1 << 22;

  void computeRow(int y, RowStop const& stop) const {
    if (m_endsOnly)
      run<false>(y, stop, m_count);
    else
      run<true>(y, stop, std::min(m_count, kMaxRecordedPoints));
  }

 private:
  template <bool Record>
  void run(int y, RowStop const& stop, int count) const {
    Orbit orbit;
    orbit.reserve(Record ? static_cast<std::size_t>(count) : 2);
    std::int64_t steps = 0;
    m_points.forEachPixel(y, [&](int x, Coord2D const& q) {
      orbit.clear();
      orbitfractal::followOrbit<Map, Record>(m_p, q.x, q.y, count, orbit);
      m_field[x][y] = m_analyzer->extract(orbit);
      steps += count;
      if (steps < orbitfractal::kStepsPerCancelCheck) return true;
      steps = 0;
      return !stop.requested();
    });
  }

  double m_p[3];
  int m_count = 1;
  MappedRowSampler m_points;
  OrbitAnalyzer const* m_analyzer = nullptr;
  bool m_endsOnly = false;
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
