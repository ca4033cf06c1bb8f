#include "core/generators/DynSys/ImageComputatorDynSys.h"

#include <cmath>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "core/engine/PlaneSampler.h"
#include "core/geometry/Geometry.h"

namespace orlenza {

namespace {

// A stretch of the orbit: points[i] is iterate number firstIndex + i (from 0).
struct OrbitBlock {
  std::vector<Coord2D> points = std::vector<Coord2D>(ImageComputatorDynSys::kBlockPoints);
  std::size_t count = 0;
  long long firstIndex = 0;
};

// Maps orbit points to pixels and marks them. Used by one thread at a time,
// always in orbit order, so visit times and hit counts come out as from the
// plain loop.
class OrbitPlotter {
 public:
  OrbitPlotter(SnapshotDynSys const& snapshot, int width, int height, RawField& field)
      : m_sampler(snapshot.getCore().getView(), width, height),
        m_geometry(snapshot.getCore().getGeometry()->clone()),
        m_hitCount(snapshot.getParameters().plotMode == DynSysParameters::kHitCount),
        m_field(field),
        m_mapped(ImageComputatorDynSys::kBlockPoints) {
    m_geometry->initWithView(snapshot.getCore().getView());
  }

  void plot(OrbitBlock const& block) {
    m_geometry->inversePoints(block.points.data(), m_mapped.data(), block.count);
    for (std::size_t i = 0; i < block.count; ++i) {
      // A geometry may map a lost point back into the plane; it stays lost.
      Coord2D const& orbit = block.points[i];
      if (!std::isfinite(orbit.x) || !std::isfinite(orbit.y)) continue;
      int h = 0, v = 0;
      if (!m_sampler.getHV(m_mapped[i].x, m_mapped[i].y, &h, &v)) continue;
      double& cell = m_field[h][v];
      if (m_hitCount)
        cell += 1;
      else
        cell = static_cast<double>((block.firstIndex + static_cast<long long>(i)) / 1000 + 1);
    }
  }

 private:
  PlaneSampler m_sampler;
  std::shared_ptr<Geometry> m_geometry;
  bool m_hitCount;
  RawField& m_field;
  std::vector<Coord2D> m_mapped;
};

// The blocks between the thread that follows the orbit and the one that plots
// it: a ring of kBlocksInFlight, filled and plotted in order.
class BlockRing {
 public:
  explicit BlockRing(OrbitPlotter& plotter)
      : m_blocks(ImageComputatorDynSys::kBlocksInFlight), m_plotter(plotter), m_thread([this] { plotAll(); }) {}

  // Whatever ends the computation (the last block, a cancel, an exception)
  // lets the plotter finish the blocks handed over and end.
  ~BlockRing() {
    waitUntilPlotted();
    m_thread.join();
  }
  BlockRing(BlockRing const&) = delete;
  BlockRing& operator=(BlockRing const&) = delete;

  // A block to fill, once the plotter has released one.
  OrbitBlock& acquire() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_filled - m_plotted < m_blocks.size() || m_error; });
    rethrowPlotError();
    return m_blocks[m_filled % m_blocks.size()];
  }
  // The block acquire() answered is filled.
  void publish() {
    {
      std::lock_guard lock(m_mutex);
      ++m_filled;
    }
    m_changed.notify_all();
  }
  // Waits until every block handed over is plotted; passes on what the
  // plotter threw.
  void finish() {
    std::unique_lock lock(m_mutex);
    waitUntilPlotted(lock);
    rethrowPlotError();
  }

 private:
  void waitUntilPlotted() {
    std::unique_lock lock(m_mutex);
    waitUntilPlotted(lock);
  }
  void waitUntilPlotted(std::unique_lock<std::mutex>& lock) {
    m_finished = true;
    m_changed.notify_all();
    m_changed.wait(lock, [this] { return m_plotted == m_filled || m_error; });
  }
  void rethrowPlotError() const {
    if (m_error) std::rethrow_exception(m_error);
  }

  void plotAll() {
    std::unique_lock lock(m_mutex);
    for (;;) {
      m_changed.wait(lock, [this] { return m_plotted < m_filled || m_finished; });
      if (m_plotted == m_filled) return;  // finished, and nothing left
      OrbitBlock const& block = m_blocks[m_plotted % m_blocks.size()];
      lock.unlock();
      try {
        m_plotter.plot(block);
      } catch (...) {
        lock.lock();
        m_error = std::current_exception();
        m_changed.notify_all();
        return;
      }
      lock.lock();
      ++m_plotted;
      m_changed.notify_all();
    }
  }

  std::vector<OrbitBlock> m_blocks;
  OrbitPlotter& m_plotter;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::size_t m_filled = 0;   // guarded by m_mutex
  std::size_t m_plotted = 0;  // guarded by m_mutex
  bool m_finished = false;    // guarded by m_mutex
  std::exception_ptr m_error;  // guarded by m_mutex
  std::thread m_thread;       // last: starts once everything above exists
};

// Fills block with the next stretch of the orbit and reports each iterate to
// the notifier; answers false when it asked to stop, the block then ending
// with the iterate after which it did.
bool followBlock(auto const& followOrbit, Coord2D& point, long long done, long long total, OrbitBlock& block,
                 ComputationNotifier& notifier) {
  std::size_t const count =
      static_cast<std::size_t>(std::min<long long>(static_cast<long long>(block.points.size()), total - done));
  followOrbit(&point, block.points.data(), count);
  block.firstIndex = done;
  block.count = count;
  for (std::size_t i = 0; i < count; ++i) {
    notifier.iterate();
    if (notifier.areWeCanceled()) {
      block.count = i + 1;
      return false;
    }
  }
  return true;
}

}  // namespace

ImageComputatorDynSys::ImageComputatorDynSys(std::string identifier) : AbstractImageComputator(std::move(identifier)) {}

void ImageComputatorDynSys::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                         ComputationNotifier& notifier) {
  computeImage(snapshot, width, height, field, notifier, threadCount());
}

void ImageComputatorDynSys::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                         ComputationNotifier& notifier, unsigned threads) {
  SnapshotDynSys const& dynSys = memberSnapshot(snapshot);
  initFromSnapshot(dynSys);
  // Never past the field, whatever the caller says.
  width = std::clamp(width, 1, field.width());
  height = std::clamp(height, 1, field.height());
  OrbitPlotter plotter(dynSys, width, height, field);
  for (int h = 0; h < width; ++h) std::fill_n(field[h], height, 0.0);

  // Any count a record holds computes; a negative one is no iteration.
  long long const total = std::max(0, dynSys.getParameters().numIterations);
  notifier.initialize(static_cast<long>(total));
  Coord2D point{getInitialX(), getInitialY()};
  auto const follow = [this](Coord2D* from, Coord2D* out, std::size_t count) { followOrbit(from, out, count); };

  // Without a thread to spare the calling thread plots too: the same field.
  std::unique_ptr<BlockRing> ring;
  if (threads > 1 && total > static_cast<long long>(kBlockPoints)) {
    try {
      ring = std::make_unique<BlockRing>(plotter);
    } catch (std::system_error const&) {
    }
  }
  if (!ring) {
    OrbitBlock block;
    for (long long done = 0; done < total; done += static_cast<long long>(block.count)) {
      bool const goOn = followBlock(follow, point, done, total, block, notifier);
      plotter.plot(block);
      if (!goOn) return;
    }
    return;
  }

  for (long long done = 0; done < total;) {
    OrbitBlock& block = ring->acquire();
    bool const goOn = followBlock(follow, point, done, total, block, notifier);
    done += static_cast<long long>(block.count);
    ring->publish();
    if (!goOn) break;
  }
  ring->finish();
}

}  // namespace orlenza
