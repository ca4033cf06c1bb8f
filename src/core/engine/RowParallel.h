#pragma once
// Runs the per-row work of a pixel generator on several threads. Each row is
// computed by one call that writes only that row's memory, so the picture is
// the same bit for bit whatever the number of threads.

#include <atomic>
#include <functional>

namespace orlenza {

// Progress and cancel of one row job. Both are called on the thread that
// called runRows only, so an implementation needs no locking of its own.
class RowProgress {
 public:
  virtual ~RowProgress() = default;
  // One row more is finished (not necessarily the next row in order).
  virtual void rowDone() = 0;
  virtual bool cancelled() const = 0;
};

class CallerStop;

// What a row sees of a cancel: rows that run long poll requested() every so
// often and return early when it answers true (their row is then incomplete).
class RowStop {
 public:
  bool requested() const {
    if (m_flag != nullptr) return m_flag->load(std::memory_order_relaxed);
    return m_progress != nullptr ? m_progress->cancelled() : callerRequested();
  }

 private:
  friend class RowStopAccess;
  RowStop(std::atomic<bool> const* flag, RowProgress const* progress) : m_flag(flag), m_progress(progress) {}
  explicit RowStop(CallerStop* caller) : m_caller(caller) {}
  bool callerRequested() const;

  std::atomic<bool> const* m_flag = nullptr;  // a worker's: set by the calling thread
  RowProgress const* m_progress = nullptr;    // asked directly when one thread runs every row
  CallerStop* m_caller = nullptr;             // the calling thread's when it works beside others
};

using RowFunction = std::function<void(int row, RowStop const& stop)>;

// The number of threads runRows uses by default, process-wide. 0 restores the
// default, std::thread::hardware_concurrency() (at least 1); larger values are
// capped at kMaxRowThreads.
inline constexpr unsigned kMaxRowThreads = 256;
void setThreadCount(unsigned count);
unsigned threadCount();

// Computes rows 0 .. rowCount-1, each exactly once, handing them out one at a
// time to min(threads, rowCount) threads. After each finished row it calls
// progress.rowDone() and then progress.cancelled(); a true answer stops the job:
// no further row starts, rows in flight see RowStop::requested() and are waited
// for, and runRows answers false. A row that throws stops the job the same way
// and its exception passes on to the caller once every thread has ended.
// Answers true when every row was computed without a cancel. With one thread
// (or one row) everything runs on the calling thread.
bool runRows(int rowCount, RowFunction const& computeRow, RowProgress& progress);
bool runRows(int rowCount, RowFunction const& computeRow, RowProgress& progress, unsigned threads);

}  // namespace orlenza
