#pragma once
// One keyframe of a timeline as a movie keyframe file stores it: a snapshot
// and its place on the 0..1 axis, with the version to parse the snapshot by.

#include <iosfwd>
#include <memory>

#include "core/model/KeyframePosition.h"
#include "core/model/Snapshot.h"

namespace orlenza {

class FullKeyframe {
 public:
  // Empty, at the invalid position, to be read with the given record version.
  explicit FullKeyframe(int version) : m_version(version) {}
  // Made in memory: version 0.
  FullKeyframe(std::shared_ptr<Snapshot> snapshot, KeyframePosition position)
      : m_snapshot(std::move(snapshot)), m_position(position) {}

  std::shared_ptr<Snapshot> const& getSnapshot() const { return m_snapshot; }
  void setSnapshot(std::shared_ptr<Snapshot> snapshot) { m_snapshot = std::move(snapshot); }
  KeyframePosition getPosition() const { return m_position; }
  void setPosition(KeyframePosition position) { m_position = position; }
  int getVersion() const { return m_version; }

 private:
  std::shared_ptr<Snapshot> m_snapshot;
  KeyframePosition m_position;
  int m_version = 0;
};

// The position's value, one blank, then the snapshot record. A keyframe
// without a snapshot fails the stream.
std::ostream& operator<<(std::ostream& os, FullKeyframe const& keyframe);
// The position (through KeyframePosition's truncation), the generator
// identifier, a snapshot of that kind for the keyframe's version, then its
// record. On an unknown identifier or a bad token the stream fails and the
// keyframe stays as it was.
std::istream& operator>>(std::istream& is, FullKeyframe& keyframe);

}  // namespace orlenza
