#include "core/control/SnapshotPreviewer.h"

#include <algorithm>
#include <exception>
#include <sstream>

#include "core/engine/ComputationNotifier.h"
#include "core/engine/PictureRendering.h"
#include "core/model/Snapshot.h"

namespace orlenza {

namespace {

constexpr int k_maxSide = 512;

// Asks the previewer whether its job is still wanted.
class PreviewNotifier : public ComputationNotifier {
 public:
  explicit PreviewNotifier(std::function<bool()> cancelled) : m_cancelled(std::move(cancelled)) {}
  void initialize(long) override {}
  void iterate() override {}
  bool areWeCanceled() const override { return m_cancelled(); }

 private:
  std::function<bool()> m_cancelled;
};

}  // namespace

SnapshotPreviewer::SnapshotPreviewer(Ready ready, std::size_t capacity)
    : m_ready(std::move(ready)), m_capacity(std::max<std::size_t>(1, capacity)), m_worker([this] { run(); }) {}

SnapshotPreviewer::~SnapshotPreviewer() {
  {
    std::lock_guard lock(m_mutex);
    m_stopping = true;
    m_waiting.reset();
    m_cancelledUpTo = m_nextTicket;
  }
  m_wake.notify_all();
  m_worker.join();
}

SnapshotPreviewer::Picture SnapshotPreviewer::request(Snapshot const& snapshot, int width, int height,
                                                      std::uint64_t& ticket) {
  width = std::clamp(width, 1, k_maxSide);
  height = std::clamp(height, 1, k_maxSide);
  // The text form names the picture exactly; the name plays no part in it.
  std::shared_ptr<Snapshot> copy = snapshot.clone();
  copy->setName("");
  std::ostringstream key;
  key.precision(17);
  key << width << 'x' << height << ' ' << *copy;

  std::lock_guard lock(m_mutex);
  // Asked again for the picture on its way: that work goes on.
  if (m_waiting && m_waiting->key == key.str()) {
    ticket = m_waiting->ticket;
    return nullptr;
  }
  if (m_running != 0 && m_runningKey == key.str() && m_running > m_cancelledUpTo) {
    ticket = m_running;
    m_waiting.reset();
    return nullptr;
  }
  ticket = m_nextTicket++;
  m_cancelledUpTo = ticket - 1;  // the running and the waiting work are no longer wanted
  if (Picture cached = findCached(key.str())) {
    m_waiting.reset();
    return cached;
  }
  m_waiting = std::make_unique<Job>(Job{ticket, key.str(), std::move(copy), width, height});
  m_wake.notify_all();
  return nullptr;
}

void SnapshotPreviewer::cancel() {
  std::lock_guard lock(m_mutex);
  m_waiting.reset();
  m_cancelledUpTo = m_nextTicket;
}

int SnapshotPreviewer::computedCount() const {
  std::lock_guard lock(m_mutex);
  return m_computed;
}

SnapshotPreviewer::Picture SnapshotPreviewer::findCached(std::string const& key) {
  auto const it = std::find_if(m_cache.begin(), m_cache.end(), [&key](Cached const& c) { return c.key == key; });
  if (it == m_cache.end()) return nullptr;
  m_cache.splice(m_cache.begin(), m_cache, it);
  return m_cache.front().picture;
}

void SnapshotPreviewer::store(std::string const& key, Picture const& picture) {
  if (findCached(key)) return;
  m_cache.push_front({key, picture});
  if (m_cache.size() > m_capacity) m_cache.pop_back();
}

void SnapshotPreviewer::run() {
  for (;;) {
    std::unique_ptr<Job> job;
    {
      std::unique_lock lock(m_mutex);
      m_wake.wait(lock, [this] { return m_stopping || m_waiting; });
      if (m_stopping) return;
      job = std::move(m_waiting);
      m_running = job->ticket;
      m_runningKey = job->key;
    }
    std::uint64_t const ticket = job->ticket;
    PreviewNotifier notifier([this, ticket] {
      std::lock_guard lock(m_mutex);
      return ticket <= m_cancelledUpTo;
    });
    Picture picture;
    bool completed = false;
    try {
      if (auto rendered = renderSnapshot(job->snapshot, job->width, job->height, false, notifier)) {
        picture = std::make_shared<RgbImage16 const>(std::move(rendered->image));
        completed = true;
      }
    } catch (std::exception const&) {
      completed = true;  // answered with no picture
    }
    {
      std::lock_guard lock(m_mutex);
      m_running = 0;
      if (!completed || ticket <= m_cancelledUpTo) continue;
      if (picture) {
        ++m_computed;
        store(job->key, picture);
      }
    }
    m_ready(ticket, picture);
  }
}

}  // namespace orlenza
