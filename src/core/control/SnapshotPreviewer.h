#pragma once
// Small pictures of snapshots for the snapshot browser, computed on a worker
// thread of their own and kept in a small cache. A new request cancels the
// picture being computed, so choosing entry after entry never waits for the
// ones passed by, and the caller's thread never blocks on a computation.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "core/engine/RgbImage16.h"

namespace orlenza {

class Snapshot;

class SnapshotPreviewer {
 public:
  using Picture = std::shared_ptr<RgbImage16 const>;
  // Called on the worker thread with the ticket of a finished request; the
  // picture is null when the snapshot cannot be computed. Cancelled requests
  // are never answered.
  using Ready = std::function<void(std::uint64_t ticket, Picture picture)>;

  explicit SnapshotPreviewer(Ready ready, std::size_t capacity = 48);
  // Cancels the work and waits for the worker, which sees the cancel within a row.
  ~SnapshotPreviewer();
  SnapshotPreviewer(SnapshotPreviewer const&) = delete;
  SnapshotPreviewer& operator=(SnapshotPreviewer const&) = delete;

  // The cached picture of snapshot at width x height (each 1 ... 512), or
  // null after the work has been queued under ticket (which ready() will name).
  Picture request(Snapshot const& snapshot, int width, int height, std::uint64_t& ticket);
  // Nothing further is answered until the next request.
  void cancel();
  // Pictures computed to the end so far (not taken from the cache).
  int computedCount() const;

 private:
  struct Job {
    std::uint64_t ticket = 0;
    std::string key;
    std::shared_ptr<Snapshot> snapshot;
    int width = 0;
    int height = 0;
  };
  struct Cached {
    std::string key;
    Picture picture;
  };

  void run();
  Picture findCached(std::string const& key);
  void store(std::string const& key, Picture const& picture);

  Ready m_ready;
  std::size_t m_capacity;
  mutable std::mutex m_mutex;
  std::condition_variable m_wake;
  std::unique_ptr<Job> m_waiting;       // guarded by m_mutex
  std::uint64_t m_running = 0;          // the ticket being computed, guarded by m_mutex
  std::string m_runningKey;             // guarded by m_mutex
  std::uint64_t m_cancelledUpTo = 0;    // tickets up to this are cancelled, guarded by m_mutex
  std::uint64_t m_nextTicket = 1;       // guarded by m_mutex
  bool m_stopping = false;              // guarded by m_mutex
  std::list<Cached> m_cache;            // most recent first, guarded by m_mutex
  int m_computed = 0;                   // guarded by m_mutex
  std::thread m_worker;
};

}  // namespace orlenza
