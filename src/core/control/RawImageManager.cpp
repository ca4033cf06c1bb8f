#include "core/control/RawImageManager.h"

#include <optional>

#include "core/library/StandardSnapshots.h"

namespace orlenza {

namespace {
std::optional<RawImageManager>& storage() {
  static std::optional<RawImageManager> s_instance;
  return s_instance;
}
}  // namespace

RawImageManager::RawImageManager()
    : m_current(std::make_shared<baseRawImage>(StandardSnapshots::getSnapshot("EscParams", 0))) {}

RawImageManager& RawImageManager::instance() {
  auto& s = storage();
  if (!s) s.emplace(RawImageManager());
  return *s;
}

void RawImageManager::reset() { storage().reset(); }

void RawImageManager::memorizeCurrentImage() {
  while (static_cast<int>(m_memorized.size()) >= kMaxMemorized) m_memorized.pop_back();
  m_memorized.push_front(std::make_shared<baseRawImage>(*m_current));
}

bool RawImageManager::retrieveImageAndSwap(Snapshot const* snapshot, bool keepCurrent) {
  for (auto it = m_memorized.begin(); it != m_memorized.end(); ++it) {
    if ((*it)->getSnapshot().get() != snapshot) continue;
    std::shared_ptr<baseRawImage> found = *it;
    m_memorized.erase(it);
    if (keepCurrent) m_memorized.push_front(m_current);
    m_current = std::move(found);
    return true;
  }
  return false;
}

}  // namespace orlenza
