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

#include "core/base/WorkStop.h"

namespace orlenza {

class CallerStop;

class RowStopAccess {
 public:
  static RowStop flag(std::atomic<bool> const& flag) { return RowStop(&flag, nullptr); }
  static RowStop progress(RowProgress const& progress) { return RowStop(nullptr, &progress); }
  static RowStop caller(CallerStop& stop) { return RowStop(&stop); }
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

// A row's stop as the loops inside its samples see it (work::stopRequested()).
class RowWorkStop final : public work::StopSource {
 public:
  explicit RowWorkStop(RowStop const& stop) : m_stop(stop) {}
  bool stopRequested() const override { return m_stop.requested(); }

 private:
  RowStop const& m_stop;
};

void computeWithStop(RowFunction const& computeRow, int row, RowStop const& stop) {
  RowWorkStop const source(stop);
  work::ScopedStop const installed(&source);
  computeRow(row, stop);
}

unsigned defaultThreadCount() {
  unsigned const hardware = std::thread::hardware_concurrency();
  return std::clamp(hardware, 1u, kMaxRowThreads);
}

bool runOnCallingThread(int rowCount, RowFunction const& computeRow, RowProgress& progress) {
  RowStop const stop = RowStopAccess::progress(progress);
  for (int row = 0; row < rowCount; ++row) {
    computeWithStop(computeRow, row, stop);
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

  // False when the row threw: the job stops and keeps the first error.
  bool computeOneRow(int row, RowStop const& rowStop) {
    try {
      computeWithStop(computeRow, row, rowStop);
    } catch (...) {
      std::lock_guard lock(mutex);
      if (!error) error = std::current_exception();
      stop.store(true, std::memory_order_relaxed);
      return false;
    }
    std::lock_guard lock(mutex);
    ++finishedRows;
    if (finishedRows % kRowsPerWakeUp == 0) changed.notify_one();
    return true;
  }

  void work() {
    RowStop const rowStop = RowStopAccess::flag(stop);
    while (!stop.load(std::memory_order_relaxed)) {
      std::int64_t const row = nextRow.fetch_add(1, std::memory_order_relaxed);
      if (row >= rowCount || !computeOneRow(static_cast<int>(row), rowStop)) break;
    }
    std::lock_guard lock(mutex);
    --runningWorkers;
    changed.notify_one();
  }
};

}  // namespace

// The calling thread's side of a job: it reports the finished rows and asks
// for the cancel (only it may), between its own rows and whenever one of its
// rows polls the stop, so progress moves on during a long row too.
class CallerStop {
 public:
  CallerStop(RowJob& job, RowProgress& progress) : m_job(job), m_progress(progress) {}

  bool cancelled() const { return m_cancelled; }

  // Reports the rows finished since the last report; lock holds the job's mutex.
  void reportFinished(std::unique_lock<std::mutex>& lock) {
    while (!m_cancelled && !m_job.error && m_reported < m_job.finishedRows) {
      lock.unlock();
      m_progress.rowDone();
      bool const stop = m_progress.cancelled();
      lock.lock();
      ++m_reported;
      if (stop) cancel();
    }
  }

  // While no row finishes: asks for the cancel alone.
  void poll(std::unique_lock<std::mutex>& lock) {
    if (m_cancelled || m_job.error) return;
    lock.unlock();
    bool const stop = m_progress.cancelled();
    lock.lock();
    if (stop) cancel();
  }

  // The stop of the calling thread's rows.
  bool requested() {
    if (m_job.stop.load(std::memory_order_relaxed)) return true;
    std::unique_lock lock(m_job.mutex);
    int const before = m_reported;
    reportFinished(lock);
    if (m_reported == before) poll(lock);
    return m_cancelled || m_job.error;
  }

 private:
  void cancel() {
    m_cancelled = true;
    m_job.stop.store(true, std::memory_order_relaxed);
  }

  RowJob& m_job;
  RowProgress& m_progress;
  int m_reported = 0;
  bool m_cancelled = false;
};

namespace {

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

bool RowStop::callerRequested() const { return m_caller->requested(); }

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
  unsigned const threadTotal = std::min({std::max(threads, 1u), kMaxRowThreads, static_cast<unsigned>(rowCount)});
  if (threadTotal == 1) return runOnCallingThread(rowCount, computeRow, progress);

  RowJob job(rowCount, computeRow);
  CallerStop caller(job, progress);
  {
    // The calling thread computes rows too, so that threads and cores match.
    Workers workers(job);
    workers.start(threadTotal - 1);
    RowStop const stop = RowStopAccess::caller(caller);
    std::unique_lock lock(job.mutex);
    while (true) {
      caller.reportFinished(lock);
      if (caller.cancelled() || job.error) break;
      std::int64_t const row = job.nextRow.fetch_add(1, std::memory_order_relaxed);
      if (row >= rowCount) break;
      lock.unlock();
      bool const computed = job.computeOneRow(static_cast<int>(row), stop);
      lock.lock();
      if (!computed) break;
    }
    // The rows still running on the workers.
    while (true) {
      caller.reportFinished(lock);
      if (job.runningWorkers == 0) break;
      if (job.changed.wait_for(lock, kCancelPollInterval) == std::cv_status::timeout) caller.poll(lock);
    }
  }
  // Every worker has been joined: the error is no longer shared.
  if (job.error) std::rethrow_exception(job.error);
  return !caller.cancelled();
}

}  // namespace orlenza
