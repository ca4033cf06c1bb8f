#include "core/generators/PhasePlane/ImageComputatorPhasePlane.h"

#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <mutex>
#include <vector>

#include "core/engine/PlaneSampler.h"
#include "core/engine/RowParallel.h"
#include "core/geometry/Geometry.h"

namespace orlenza {

namespace {

// What one computation reads: the grid, the steps and the mapping to pixels.
class PathPlotter {
 public:
  PathPlotter(SnapshotPhasePlane const& snapshot, int width, int height)
      : m_sampler(snapshot.getCore().getView(), width, height),
        m_geometry(snapshot.getCore().getGeometry()->clone()),
        m_divisions(PhasePlaneParameters::clampGridDivisions(snapshot.getParameters().gridDivisions)),
        m_steps(PhasePlaneParameters::clampSteps(snapshot.getParameters().numSteps)),
        m_stepSize(snapshot.getParameters().stepSize),
        m_width(width),
        m_height(height) {
    m_geometry->initWithView(snapshot.getCore().getView());
  }

  int gridSide() const { return m_divisions + 1; }
  long long pointCount() const { return static_cast<long long>(gridSide()) * gridSide(); }
  int steps() const { return m_steps; }
  double stepSize() const { return m_stepSize; }
  Geometry const& geometry() const { return *m_geometry; }
  PlaneSampler const& sampler() const { return m_sampler; }

  // Starting point number index, counted along j first (j the grid row).
  Coord2D start(long long index) const {
    auto const i = static_cast<int>(index / gridSide()), j = static_cast<int>(index % gridSide());
    double const g = m_divisions;
    auto const px = static_cast<int>(std::trunc(i / g * m_width));
    auto const py = static_cast<int>(std::trunc(j / g * m_height));
    return m_sampler.getXY(px, py);
  }

  // Maps path points to pixels and calls hit(h, v) for each inside the picture.
  // mapped holds count points of scratch.
  template <class Hit>
  void plot(Coord2D const* path, Coord2D* mapped, std::size_t count, Hit const& hit) const {
    m_geometry->inversePoints(path, mapped, count);
    for (std::size_t i = 0; i < count; ++i) {
      // A geometry may map a lost point back into the plane; it stays lost.
      if (!std::isfinite(path[i].x) || !std::isfinite(path[i].y)) continue;
      int h = 0, v = 0;
      if (m_sampler.getHV(mapped[i].x, mapped[i].y, &h, &v)) hit(h, v);
    }
  }

  int width() const { return m_width; }
  int height() const { return m_height; }

 private:
  PlaneSampler m_sampler;
  std::shared_ptr<Geometry> m_geometry;
  int m_divisions;
  int m_steps;
  double m_stepSize;
  int m_width;
  int m_height;
};

// Follows the path of one starting point and plots it; every kPollSteps steps
// asks stop() and answers false, part done, when it says so.
template <class Follow, class Hit, class Stop>
bool runPath(PathPlotter const& plotter, Follow const& follow, Coord2D point, Hit const& hit, Stop const& stop) {
  Coord2D path[ImageComputatorPhasePlane::kPathBlock];
  Coord2D mapped[ImageComputatorPhasePlane::kPathBlock];
  long long sincePoll = 0;
  for (long long left = plotter.steps(); left > 0;) {
    auto const count = static_cast<std::size_t>(std::min<long long>(left, ImageComputatorPhasePlane::kPathBlock));
    follow(&point, path, count);
    plotter.plot(path, mapped, count, hit);
    left -= static_cast<long long>(count);
    sincePoll += static_cast<long long>(count);
    if (left > 0 && sincePoll >= ImageComputatorPhasePlane::kPollSteps) {
      sincePoll = 0;
      if (stop()) return false;
    }
  }
  return true;
}

// Hit counts of one thread, added into the field when done or before they
// could overflow.
struct HitBuffer {
  std::vector<std::uint32_t> hits;
  std::uint64_t total = 0;
};

// The buffers of the threads: one per row in flight, reused, and added into
// the field in any order (integer counts add up exactly).
class HitBuffers {
 public:
  HitBuffers(RawField& field, int width, int height) : m_field(field), m_width(width), m_height(height) {}

  std::unique_ptr<HitBuffer> acquire() {
    {
      std::lock_guard lock(m_mutex);
      if (!m_free.empty()) {
        auto buffer = std::move(m_free.back());
        m_free.pop_back();
        return buffer;
      }
    }
    auto buffer = std::make_unique<HitBuffer>();
    buffer->hits.assign(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), 0);
    return buffer;
  }
  void release(std::unique_ptr<HitBuffer> buffer) {
    std::lock_guard lock(m_mutex);
    m_free.push_back(std::move(buffer));
  }
  // Adds the buffer into the field and clears it.
  void flush(HitBuffer& buffer) {
    std::lock_guard lock(m_mutex);
    addIntoField(buffer);
  }
  // Every buffer into the field; the rows have ended.
  void flushAll() {
    std::lock_guard lock(m_mutex);
    for (auto& buffer : m_free) addIntoField(*buffer);
  }

 private:
  void addIntoField(HitBuffer& buffer) {
    if (buffer.total == 0) return;
    std::uint32_t* cell = buffer.hits.data();
    for (int h = 0; h < m_width; ++h) {
      double* column = m_field[h];
      for (int v = 0; v < m_height; ++v, ++cell) {
        column[v] += *cell;
        *cell = 0;
      }
    }
    buffer.total = 0;
  }

  RawField& m_field;
  int m_width;
  int m_height;
  std::mutex m_mutex;
  std::vector<std::unique_ptr<HitBuffer>> m_free;  // guarded by m_mutex
};

// Reports the starting points the rows finished, as they finish.
class PointProgress : public RowProgress {
 public:
  PointProgress(ComputationNotifier& notifier, std::atomic<long long> const& done)
      : m_notifier(notifier), m_done(done) {}
  void rowDone() override { catchUp(); }
  bool cancelled() const override { return m_notifier.areWeCanceled(); }
  void catchUp() {
    for (long long now = m_done.load(); m_reported < now; ++m_reported) m_notifier.iterate();
  }

 private:
  ComputationNotifier& m_notifier;
  std::atomic<long long> const& m_done;
  long long m_reported = 0;
};

}  // namespace

View phasePlaneDefaultView() { return View(0, 0, 6, 0, false, false); }

ImageComputatorPhasePlane::ImageComputatorPhasePlane(std::string identifier)
    : AbstractImageComputator(std::move(identifier)) {}

View ImageComputatorPhasePlane::getDefaultView() const { return View(0, 0, 2.5, 0, false, false); }

void ImageComputatorPhasePlane::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                             ComputationNotifier& notifier) {
  computeImage(snapshot, width, height, field, notifier, threadCount());
}

void ImageComputatorPhasePlane::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                             ComputationNotifier& notifier, unsigned threads) {
  SnapshotPhasePlane const& phasePlane = memberSnapshot(snapshot);
  initFromSnapshot(phasePlane);
  // Never past the field, whatever the caller says.
  width = std::clamp(width, 1, field.width());
  height = std::clamp(height, 1, field.height());
  PathPlotter const plotter(phasePlane, width, height);
  for (int h = 0; h < width; ++h) std::fill_n(field[h], height, 0.0);

  long long const points = plotter.pointCount();
  notifier.initialize(static_cast<long>(points));
  double const stepSize = plotter.stepSize();
  auto const follow = [this, stepSize](Coord2D* point, Coord2D* out, std::size_t count) {
    followPath(point, out, count, stepSize);
  };

  long long const work = points * std::max(plotter.steps(), 1);
  threads = std::min(threads, kMaxThreads);
  if (threads <= 1 || work < kParallelSteps) {
    auto const hit = [&field](int h, int v) { field[h][v] += 1; };
    auto const stop = [&notifier] { return notifier.areWeCanceled(); };
    for (long long index = 0; index < points; ++index) {
      if (!runPath(plotter, follow, plotter.start(index), hit, stop)) return;
      notifier.iterate();
      if (notifier.areWeCanceled()) return;
    }
    return;
  }

  // Runs of consecutive starting points worth about kPollSteps steps each.
  long long const perRun = std::clamp<long long>(kPollSteps / std::max(plotter.steps(), 1), 1, points);
  auto const runs = static_cast<int>((points + perRun - 1) / perRun);
  HitBuffers buffers(field, width, height);
  std::atomic<long long> done{0};
  std::uint64_t const mostPerPoint = static_cast<std::uint64_t>(plotter.steps());
  auto const computeRun = [&](int run, RowStop const& stop) {
    std::unique_ptr<HitBuffer> buffer = buffers.acquire();
    HitBuffer& own = *buffer;
    auto const hit = [&own, height](int h, int v) {
      ++own.hits[static_cast<std::size_t>(h) * static_cast<std::size_t>(height) + static_cast<std::size_t>(v)];
      ++own.total;
    };
    auto const stopRequested = [&stop] { return stop.requested(); };
    long long const first = run * perRun, last = std::min(points, first + perRun);
    for (long long index = first; index < last; ++index) {
      if (own.total + mostPerPoint > std::numeric_limits<std::uint32_t>::max()) buffers.flush(own);
      if (!runPath(plotter, follow, plotter.start(index), hit, stopRequested)) break;
      done.fetch_add(1);
      if (stop.requested()) break;
    }
    buffers.release(std::move(buffer));
  };
  PointProgress progress(notifier, done);
  bool const finished = runRows(runs, computeRun, progress, threads);
  buffers.flushAll();
  if (finished) progress.catchUp();
}

}  // namespace orlenza
