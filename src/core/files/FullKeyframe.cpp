#include "core/files/FullKeyframe.h"

#include <istream>
#include <ostream>

#include "core/base/TextIO.h"

namespace orlenza {

std::ostream& operator<<(std::ostream& os, FullKeyframe const& keyframe) {
  if (!keyframe.getSnapshot()) {
    os.setstate(std::ios::failbit);
    return os;
  }
  text::writeDouble(os, keyframe.getPosition().getValue());
  return os << *keyframe.getSnapshot() << ' ';
}

std::istream& operator>>(std::istream& is, FullKeyframe& keyframe) {
  double value = 0.0;
  if (!text::readDouble(is, value)) return is;
  std::shared_ptr<Snapshot> snapshot = readSnapshotRecord(is, keyframe.getVersion());
  if (!snapshot || !is) {
    is.setstate(std::ios::failbit);
    return is;
  }
  keyframe.setPosition(KeyframePosition(value));
  keyframe.setSnapshot(std::move(snapshot));
  return is;
}

}  // namespace orlenza
