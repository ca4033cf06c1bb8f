#include "core/engine/RowParallel.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace orlenza {

class RowStopAccess {
 public:
  static RowStop flag(std::atomic<bool> const& flag) { return RowStop(&flag, nullptr); }
  static RowStop progress(RowProgress const& progress) { return RowStop(nullptr, &progress); }
};

namespace {

// While no row finishes, the cancel is still asked this often, so a long row
// polling RowStop learns of it in time.
constexpr auto kCancelPollInterval = std::chrono::milliseconds(20);
// Finished rows between two wake-ups of the reporting thread. Waking it for
// every row costs a core's worth of switches on small machines; the poll
// above still reports the rest within its interval.
constexpr int kRowsPerWakeUp = 16;

std::atomic<unsigned> s_threadCount{0};  // 0: the machine's default

unsigned defaultThreadCount() {
  unsigned const hardware = std::thread::hardware_concurrency();
  return std::clamp(hardware, 1u, kMaxRowThreads);
}

bool runOnCallingThread(int rowCount, RowFunction const& computeRow, RowProgress& progress) {
  RowStop const stop = RowStopAccess::progress(progress);
  for (int row = 0; row < rowCount; ++row) {
    computeRow(row, stop);
    progress.rowDone();
    if (progress.cancelled()) return false;
  }
  return true;
}

// The state the workers and the calling thread share for one job.
struct RowJob {
  RowJob(int rows, RowFunction const& function) : rowCount(rows), computeRow(function) {}

  int const rowCount;
  RowFunction const& computeRow;
  std::atomic<std::int64_t> nextRow{0};  // 64 bits: each worker overshoots rowCount once
  std::atomic<bool> stop{false};

  std::mutex mutex;
  std::condition_variable changed;
  int finishedRows = 0;      // guarded by mutex
  int runningWorkers = 0;    // guarded by mutex
  std::exception_ptr error;  // guarded by mutex; the first failure only

  void work() {
    RowStop const rowStop = RowStopAccess::flag(stop);
    while (!stop.load(std::memory_order_relaxed)) {
      std::int64_t const row = nextRow.fetch_add(1, std::memory_order_relaxed);
      if (row >= rowCount) break;
      try {
        computeRow(static_cast<int>(row), rowStop);
      } catch (...) {
        std::lock_guard lock(mutex);
        if (!error) error = std::current_exception();
        stop.store(true, std::memory_order_relaxed);
        break;
      }
      std::lock_guard lock(mutex);
      ++finishedRows;
      if (finishedRows % kRowsPerWakeUp == 0) changed.notify_one();
    }
    std::lock_guard lock(mutex);
    --runningWorkers;
    changed.notify_one();
  }
};

// Stops and joins the workers however the calling thread leaves, so no worker
// outlives the job or the memory its rows write into.
class Workers {
 public:
  explicit Workers(RowJob& job) : m_job(job) {}
  ~Workers() {
    m_job.stop.store(true, std::memory_order_relaxed);
    for (std::thread& thread : m_threads) thread.join();
  }
  Workers(Workers const&) = delete;
  Workers& operator=(Workers const&) = delete;

  // Starts up to count workers; answers how many run (fewer when the system refuses threads).
  int start(unsigned count) {
    m_threads.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
      {
        std::lock_guard lock(m_job.mutex);
        ++m_job.runningWorkers;
      }
      try {
        m_threads.emplace_back([this] { m_job.work(); });
      } catch (std::system_error const&) {
        std::lock_guard lock(m_job.mutex);
        --m_job.runningWorkers;
        break;
      }
    }
    return static_cast<int>(m_threads.size());
  }

 private:
  RowJob& m_job;
  std::vector<std::thread> m_threads;
};

}  // namespace

void setThreadCount(unsigned count) { s_threadCount.store(std::min(count, kMaxRowThreads)); }

unsigned threadCount() {
  unsigned const count = s_threadCount.load();
  return count == 0 ? defaultThreadCount() : count;
}

bool runRows(int rowCount, RowFunction const& computeRow, RowProgress& progress) {
  return runRows(rowCount, computeRow, progress, threadCount());
}

bool runRows(int rowCount, RowFunction const& computeRow, RowProgress& progress, unsigned threads) {
  if (rowCount <= 0) return true;
  unsigned const workerCount = std::min({std::max(threads, 1u), kMaxRowThreads, static_cast<unsigned>(rowCount)});
  if (workerCount == 1) return runOnCallingThread(rowCount, computeRow, progress);

  RowJob job(rowCount, computeRow);
  bool cancelled = false;
  {
    Workers workers(job);
    if (workers.start(workerCount) == 0) return runOnCallingThread(rowCount, computeRow, progress);

    // The calling thread only reports: progress and cancel stay on one thread.
    int reported = 0;
    std::unique_lock lock(job.mutex);
    while (true) {
      while (!cancelled && !job.error && reported < job.finishedRows) {
        lock.unlock();
        progress.rowDone();
        bool const stop = progress.cancelled();
        lock.lock();
        ++reported;
        if (stop) {
          cancelled = true;
          job.stop.store(true, std::memory_order_relaxed);
        }
      }
      if (job.runningWorkers == 0) break;
      if (job.changed.wait_for(lock, kCancelPollInterval) == std::cv_status::timeout && !cancelled &&
          !job.error) {
        lock.unlock();
        bool const stop = progress.cancelled();
        lock.lock();
        if (stop) {
          cancelled = true;
          job.stop.store(true, std::memory_order_relaxed);
        }
      }
    }
  }
  // Every worker has been joined: the error is no longer shared.
  if (job.error) std::rethrow_exception(job.error);
  return !cancelled;
}

}  // namespace orlenza
