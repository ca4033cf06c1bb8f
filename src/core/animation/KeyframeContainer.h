#pragma once
// The snapshots of an animation, placed as keyframes on the 0..1 time axis,
// and the snapshot to draw at any time: a keyframe itself, or the morph of the
// two keyframes around that time.

#include <cstddef>
#include <map>
#include <memory>

#include "core/model/KeyframePosition.h"
#include "core/model/Snapshot.h"

namespace orlenza {

class KeyframeContainer {
 public:
  using Entries = std::map<KeyframePosition, std::shared_ptr<Snapshot>>;
  using const_iterator = Entries::const_iterator;

  // Snapshots are never cloned on the way in or out: the timeline holds the
  // same objects, and each object sits at one position at most.

  // pos is clamped to 0..1 (infinities included). Refused (false, nothing
  // changed) when a keyframe exists at that position, when this very object is
  // already held, when snap is null or pos is NaN.
  bool addKeyframe(std::shared_ptr<Snapshot> snap, float pos);
  // The keyframe at pos gets snap; nothing happens when there is none, when
  // snap is null, or when snap is already held at another position.
  void replaceKeyframe(KeyframePosition pos, std::shared_ptr<Snapshot> snap);
  // Removes the entry holding this very object, if any (an equal copy is not it).
  void removeKeyframe(std::shared_ptr<Snapshot> const& snap);
  // The keyframe at `from` goes to `to`, replacing a keyframe already there.
  // Nothing happens when `from` holds none or `to` is the invalid position.
  void moveKeyframe(KeyframePosition from, KeyframePosition to);
  void clear() { m_entries.clear(); }

  // The entry holding this very object, or end().
  const_iterator findSnapshot(std::shared_ptr<Snapshot> const& snap) const;
  // An entry exists at KeyframePosition(pos); never for NaN or outside 0..1.
  bool containsKeyframeAt(float pos) const;

  // t is first quantized to 1/10000. At a keyframe the stored object itself;
  // between two keyframes the earlier one morphed towards the later one by
  // (x - p) / (n - p), the differences taken in single precision. Before the
  // first keyframe (t < 0 included) the first keyframe itself, after the last
  // (t > 1 included) the last itself; null when empty or t is NaN.
  std::shared_ptr<Snapshot> getSnapshot(float t) const;

  const_iterator begin() const { return m_entries.begin(); }
  const_iterator end() const { return m_entries.end(); }
  std::size_t size() const { return m_entries.size(); }
  bool empty() const { return m_entries.empty(); }

 private:
  Entries m_entries;
};

}  // namespace orlenza
