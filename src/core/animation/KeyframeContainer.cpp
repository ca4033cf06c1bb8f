#include "core/animation/KeyframeContainer.h"

#include <cmath>
#include <iterator>
#include <utility>

namespace orlenza {

bool KeyframeContainer::addKeyframe(std::shared_ptr<Snapshot> snap, float pos) {
  if (!snap || std::isnan(pos)) return false;
  float const clamped = pos < 0.0f ? 0.0f : (pos > 1.0f ? 1.0f : pos);
  KeyframePosition const key(clamped);
  if (m_entries.contains(key) || findSnapshot(snap) != end()) return false;
  m_entries.emplace(key, std::move(snap));
  return true;
}

void KeyframeContainer::replaceKeyframe(KeyframePosition pos, std::shared_ptr<Snapshot> snap) {
  auto const it = m_entries.find(pos);
  if (it == m_entries.end() || !snap) return;
  auto const holder = findSnapshot(snap);
  if (holder != end() && holder != it) return;
  it->second = std::move(snap);
}

void KeyframeContainer::removeKeyframe(std::shared_ptr<Snapshot> const& snap) {
  auto const it = findSnapshot(snap);
  if (it != end()) m_entries.erase(it);
}

void KeyframeContainer::moveKeyframe(KeyframePosition from, KeyframePosition to) {
  if (!to.isValid()) return;
  auto const it = m_entries.find(from);
  if (it == m_entries.end()) return;
  std::shared_ptr<Snapshot> snap = std::move(it->second);
  m_entries.erase(it);
  m_entries.insert_or_assign(to, std::move(snap));
}

KeyframeContainer::const_iterator KeyframeContainer::findSnapshot(std::shared_ptr<Snapshot> const& snap) const {
  if (!snap) return end();
  for (auto it = begin(); it != end(); ++it)
    if (it->second == snap) return it;
  return end();
}

bool KeyframeContainer::containsKeyframeAt(float pos) const {
  return m_entries.contains(KeyframePosition(pos));
}

std::shared_ptr<Snapshot> KeyframeContainer::getSnapshot(float t) const {
  if (m_entries.empty() || std::isnan(t)) return nullptr;
  // Outside 0..1 the position is invalid; such times lie before the first or
  // after the last keyframe.
  KeyframePosition const key(t);
  if (!key.isValid()) return t < 0.0f ? m_entries.begin()->second : m_entries.rbegin()->second;

  auto const next = m_entries.upper_bound(key);
  if (next == m_entries.begin()) return next->second;
  auto const prev = std::prev(next);
  if (prev->first == key || next == m_entries.end()) return prev->second;

  float const p = prev->first.getValue();
  float const n = next->first.getValue();
  float const x = key.getValue();
  float const done = x - p;
  float const span = n - p;
  double const fraction = static_cast<double>(done) / static_cast<double>(span);
  return prev->second->morphTowards(next->second, fraction);
}

}  // namespace orlenza
